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
)css";
}

std::string_view ReviewPageScript() {
    return R"js(
(function () {
  var form = document.getElementById('filters');
  var rows = document.querySelectorAll('#rows tbody tr');
  var shown = document.getElementById('shown');
  var f = form.elements;
  form.hidden = false;

  function apply() {
    var outcome = f.outcome.value, file = f.file.value;
    var low = parseFloat(f.min.value), high = parseFloat(f.max.value);
    var count = 0;
    for (var i = 0; i < rows.length; i++) {
      var d = rows[i].dataset, l = parseFloat(d.l);
      var show = (!outcome || d.o === outcome) && (!file || d.f === file) &&
          (isNaN(low) || l >= low) && (isNaN(high) || l <= high);
      rows[i].hidden = !show;
      if (show) count++;
    }
    shown.textContent = count + ' of ' + rows.length + ' entries shown';
  }

  function fromAddress() {
    var text = location.hash.slice(1);
    if (text.indexOf('=') < 0) return false;
    f.outcome.value = f.file.value = f.min.value = f.max.value = '';
    text.split('&').forEach(function (pair) {
      var at = pair.indexOf('=');
      if (at < 0) return;
      try {
        var key = decodeURIComponent(pair.slice(0, at));
        var value = decodeURIComponent(pair.slice(at + 1));
        if (key === 'outcome' || key === 'file' || key === 'min' || key === 'max') f[key].value = value;
      } catch (e) {}
    });
    return true;
  }

  function follow() {
    if (fromAddress()) { apply(); return; }
    var target;
    try { target = document.getElementById(decodeURIComponent(location.hash.slice(1))); }
    catch (e) { return; }
    if (target && target.hidden) {
      form.reset();
      apply();
      target.scrollIntoView();
    }
  }

  form.addEventListener('input', apply);
  form.addEventListener('change', apply);
  form.addEventListener('reset', function () { setTimeout(apply, 0); });
  window.addEventListener('hashchange', follow);
  fromAddress();
  apply();
})();
)js";
}

}  // namespace wordgleaner
