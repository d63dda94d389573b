#include "review/review_page_assets.h"

namespace wordgleaner {

std::string_view ReviewPageStyle() {
    return R"css(
body{font:14px/1.4 system-ui,sans-serif;margin:1em 2em;color:#222}
table{border-collapse:collapse;margin:0 0 1em}
th,td{border:1px solid #ccc;padding:2px 6px;text-align:left;vertical-align:top}
caption{text-align:left;font-weight:bold;padding:4px 0}
.n td{text-align:right}
#rows td{overflow-wrap:anywhere}
#rows td:nth-child(n+3):nth-child(-n+5){white-space:pre-wrap;min-width:14em}
#rows thead th{position:sticky;top:0;background:#f4f4f4}
tr:target td{background:#eef4ff}
ins{background:#cfc;text-decoration:none}
del{background:#fcc}
mark{background:#fe9}
.w{color:#666;font-style:italic}
ul{margin:0;padding-left:1.2em}
form{margin:1em 0}
form label{margin-right:1.5em}
input[type=number]{width:5em}
.s,.fe,.tr{color:#555;font-size:92%}
.s::before{content:"sound: "}
.fe::before{content:"female: "}
.tr::before{content:"\2192  "}
li.a::before{content:"alternative: "}
#rows tbody tr.cur{outline:2px solid #36c;outline-offset:-2px}
tr.da td:last-child,li.ch{background:#dfd}
tr.dr td:last-child{background:#eee}
tr.de td:last-child{background:#def}
.dc{min-width:12em}
.dc textarea{display:block;width:100%;min-height:3em;box-sizing:border-box}
.dc label{display:block;margin:0}
.st{font-style:italic}
.keys{color:#555;margin:.3em 0 1em}
kbd{border:1px solid #aaa;border-radius:3px;padding:0 3px;font:inherit}
)css";
}

std::string_view ReviewPageScript() {
    return R"js(
(function () {
  var form = document.getElementById('filters');
  var body = document.getElementById('rows').tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  var shown = document.getElementById('shown');
  var f = form.elements;
  var sorted = '';
  form.hidden = false;
  // What the search and the sort compare, taken once: reading the text of
  // ten thousand rows at every key typed would make the box lag.
  rows.forEach(function (row, index) {
    var entry = row.cells[0].textContent;
    row.order = index;
    row.entryId = entry.slice(entry.lastIndexOf(' ') + 1);
    row.searchText = row.textContent.toLowerCase();
  });

  // Rows that hold a candidate need a decision; the others are only told.
  function matchesOutcome(row, outcome) {
    if (outcome === 'need') return row.dataset.i !== undefined;
    return !outcome || row.dataset.o === outcome;
  }

  function matchesSearch(row, query) {
    if (!query) return true;
    if (/^\d+$/.test(query)) return row.entryId === query;
    return row.searchText.indexOf(query) >= 0;
  }

  function likeliness(row) {
    return row.dataset.l === undefined ? -1 : parseFloat(row.dataset.l);
  }

  function byLikeliness(a, b) {
    return likeliness(b) - likeliness(a) || a.order - b.order;
  }

  function byFileAndId(a, b) {
    var fa = a.dataset.f, fb = b.dataset.f;
    return (fa < fb ? -1 : fa > fb ? 1 : 0) || a.entryId - b.entryId || a.order - b.order;
  }

  function sortRows() {
    var how = f.sort.value, list = rows.slice();
    if (how === 'l') list.sort(byLikeliness);
    if (how === 'f') list.sort(byFileAndId);
    var fragment = document.createDocumentFragment();
    list.forEach(function (row) { fragment.appendChild(row); });
    body.appendChild(fragment);
    sorted = how;
  }

  function apply() {
    if (f.sort.value !== sorted) sortRows();
    var outcome = f.outcome.value, file = f.file.value;
    var low = parseFloat(f.min.value), high = parseFloat(f.max.value);
    var query = f.q.value.trim().toLowerCase();
    var count = 0;
    for (var i = 0; i < rows.length; i++) {
      var d = rows[i].dataset, l = parseFloat(d.l);
      var show = matchesOutcome(rows[i], outcome) && (!file || d.f === file) &&
          (isNaN(low) || l >= low) && (isNaN(high) || l <= high) &&
          matchesSearch(rows[i], query);
      rows[i].hidden = !show;
      if (show) count++;
    }
    shown.textContent = count + ' of ' + rows.length + ' entries shown';
  }

  var addressKeys = ['outcome', 'file', 'min', 'max', 'q', 'sort'];

  // A filter in the address shows what it names among all the rows.
  function fromAddress() {
    var text = location.hash.slice(1);
    if (text.indexOf('=') < 0) return false;
    addressKeys.forEach(function (key) { f[key].value = ''; });
    text.split('&').forEach(function (pair) {
      var at = pair.indexOf('=');
      if (at < 0) return;
      try {
        var key = decodeURIComponent(pair.slice(0, at));
        var value = decodeURIComponent(pair.slice(at + 1));
        if (addressKeys.indexOf(key) >= 0) f[key].value = value;
      } catch (e) {}
    });
    return true;
  }

  // A link to a row shows it even when the filters hide it.
  function showTarget() {
    var target;
    try { target = document.getElementById(decodeURIComponent(location.hash.slice(1))); }
    catch (e) { return; }
    if (target && target.hidden) {
      form.reset();
      apply();
      if (target.hidden) { f.outcome.value = ''; apply(); }
      target.scrollIntoView();
    }
  }

  function follow() {
    if (fromAddress()) { apply(); return; }
    showTarget();
  }

  form.addEventListener('input', apply);
  form.addEventListener('change', apply);
  form.addEventListener('reset', function () { setTimeout(apply, 0); });
  form.addEventListener('submit', function (event) { event.preventDefault(); });
  window.addEventListener('hashchange', follow);
  fromAddress();
  apply();
  showTarget();
})();
)js";
}

}  // namespace wordgleaner
