#include "review/review_page_assets.h"

namespace wordgleaner {

// The decisions are kept under the page's run key (data-run of the table),
// by the row's anchor, as {d: "accept", c: choice} (choice 0 the best
// candidate, then the other candidates and alternatives in the order
// listed), {d: "reject"} or {d: "edit", t: translation, f: female text}.
// The saved file's fields are quoted where they are texts; its line breaks,
// inside a text too, are CR LF.
std::string_view ReviewDecisionScript() {
    return R"js(
(function () {
  var table = document.getElementById('rows');
  var body = table.tBodies[0];
  var rows = Array.prototype.slice.call(body.rows);
  var counter = document.getElementById('decided');
  var storeKey = 'wordgleaner-decisions-' + table.dataset.run;
  var decisions = load();
  var current = null;
  var savedUrl = null;
  var decidable = rows.filter(function (row) { return row.dataset.i !== undefined; });
  document.getElementById('decide').hidden = false;

  function load() {
    try { return JSON.parse(localStorage.getItem(storeKey)) || {}; } catch (e) { return {}; }
  }

  function store() {
    try { localStorage.setItem(storeKey, JSON.stringify(decisions)); } catch (e) {}
  }

  // A cell's text without the sound reference or female text beside it.
  function ownText(cell) {
    var text = '';
    cell.childNodes.forEach(function (node) {
      if (node.nodeName !== 'DIV') text += node.textContent;
    });
    return text;
  }

  function asideText(cell, className) {
    var aside = cell.querySelector('div.' + className);
    return aside ? aside.textContent : '';
  }

  function choices(row) {
    var file = row.dataset.r || table.dataset.r;
    var list = [{ r: file, i: row.dataset.i, item: null }];
    row.cells[5].querySelectorAll('li[data-i]').forEach(function (item) {
      list.push({ r: item.dataset.r || file, i: item.dataset.i, item: item });
    });
    return list;
  }

  function button(action, label, choice) {
    var element = document.createElement('button');
    element.type = 'button';
    element.dataset.a = action;
    if (choice !== undefined) element.dataset.c = choice;
    element.textContent = label;
    return element;
  }

  function addControls(row) {
    var cell = row.insertCell(-1);
    if (row.dataset.i === undefined) return;
    cell.className = 'dc';
    cell.append(button('accept', 'Accept (a)'), ' ', button('reject', 'Reject (r)'), ' ',
                button('edit', 'Edit (e)'));
    var state = document.createElement('div');
    state.className = 'st';
    cell.appendChild(state);
    choices(row).forEach(function (choice, index) {
      if (choice.item && index < 9) {
        choice.item.append(' ', button('accept', 'Choose (' + (index + 1) + ')', index));
      }
    });
  }

  function describe(row, decision) {
    if (decision.d === 'reject') return 'Rejected: the mod\'s text stays';
    if (decision.d === 'edit') return 'Edited: ' + decision.t;
    var choice = choices(row)[decision.c];
    return decision.c === 0 ? 'Accepted' : 'Accepted ' + choice.r + ' ' + choice.i;
  }

  function show(row) {
    var decision = decisions[row.id];
    var cell = row.cells[6];
    row.classList.remove('da', 'dr', 'de');
    row.querySelectorAll('li.ch').forEach(function (item) { item.classList.remove('ch'); });
    var old = cell.querySelector('button[data-a=undo]');
    if (old) old.remove();
    if (!decision) { cell.querySelector('.st').textContent = ''; return; }
    row.classList.add(decision.d === 'accept' ? 'da' : decision.d === 'reject' ? 'dr' : 'de');
    if (decision.d === 'accept' && decision.c > 0) choices(row)[decision.c].item.classList.add('ch');
    cell.querySelector('.st').textContent = describe(row, decision);
    cell.appendChild(button('undo', 'Undo (u)'));
  }

  function count() {
    var decided = decidable.filter(function (row) { return decisions[row.id]; }).length;
    counter.textContent = decided + ' of ' + decidable.length + ' rows decided';
  }

  function decide(row, decision) {
    if (decision) decisions[row.id] = decision; else delete decisions[row.id];
    store();
    show(row);
    count();
  }

  function select(row, scroll) {
    if (current) current.classList.remove('cur');
    current = row;
    if (!row) return;
    row.classList.add('cur');
    if (scroll) row.scrollIntoView({ block: 'nearest' });
  }

  function move(step) {
    var list = Array.prototype.filter.call(body.rows, function (row) { return !row.hidden; });
    if (!list.length) return;
    var at = list.indexOf(current);
    var next = at < 0 ? (step > 0 ? 0 : list.length - 1)
                      : Math.min(Math.max(at + step, 0), list.length - 1);
    select(list[next], true);
  }

  function openEdit(row) {
    var cell = row.cells[6], box = cell.querySelector('.ed');
    if (!box) {
      var decision = decisions[row.id] || {};
      box = document.createElement('div');
      box.className = 'ed';
      box.innerHTML = '<label>Translation<textarea class="t"></textarea></label>' +
          '<label>Female translation<textarea class="f"></textarea></label>';
      box.append(button('keep', 'Keep edit (Ctrl+Enter)'), ' ', button('cancel', 'Cancel (Esc)'));
      box.querySelector('.t').value = decision.d === 'edit' ? decision.t : ownText(row.cells[4]);
      box.querySelector('.f').value = decision.d === 'edit' ? decision.f : asideText(row.cells[4], 'fe');
      cell.appendChild(box);
    }
    box.querySelector('.t').focus();
  }

  function closeEdit(row) {
    var box = row.cells[6].querySelector('.ed');
    if (box) box.remove();
  }

  function keepEdit(row) {
    var box = row.cells[6].querySelector('.ed');
    decide(row, { d: 'edit', t: box.querySelector('.t').value, f: box.querySelector('.f').value });
    closeEdit(row);
  }

  table.addEventListener('click', function (event) {
    var row = event.target.closest('tbody tr');
    if (!row) return;
    if (row !== current) select(row, false);
    var pressed = event.target.closest('button');
    if (!pressed) return;
    var action = pressed.dataset.a;
    if (action === 'accept') decide(row, { d: 'accept', c: +(pressed.dataset.c || 0) });
    if (action === 'reject') decide(row, { d: 'reject' });
    if (action === 'undo') decide(row, null);
    if (action === 'edit') openEdit(row);
    if (action === 'keep') keepEdit(row);
    if (action === 'cancel') closeEdit(row);
  });

  function editKey(event, row) {
    if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
      keepEdit(row);
    } else if (event.key === 'Escape') {
      closeEdit(row);
    } else {
      return;
    }
    event.preventDefault();
  }

  // The keys act on the current row; a decision by key moves on to the next
  // row shown, as translation tools do.
  function decisionKey(key) {
    if (!current || current.dataset.i === undefined) return false;
    var decision = key === 'a' ? { d: 'accept', c: 0 } : key === 'r' ? { d: 'reject' } : null;
    if (/^[1-9]$/.test(key) && +key <= choices(current).length) decision = { d: 'accept', c: key - 1 };
    if (decision) { decide(current, decision); move(1); return true; }
    if (key === 'e') { openEdit(current); return true; }
    if (key === 'u') { decide(current, null); return true; }
    return false;
  }

  document.addEventListener('keydown', function (event) {
    var target = event.target;
    if (target.nodeName === 'TEXTAREA' && target.closest('.ed')) {
      editKey(event, target.closest('tr'));
      return;
    }
    if (/^(INPUT|SELECT|TEXTAREA)$/.test(target.nodeName) || event.ctrlKey ||
        event.metaKey || event.altKey) return;
    var handled = event.key === 'j' || event.key === 'k';
    if (handled) move(event.key === 'j' ? 1 : -1); else handled = decisionKey(event.key);
    if (handled) event.preventDefault();
  });

  function field(text) {
    return '"' + String(text).replace(/"/g, '""').replace(/\r\n|\r|\n/g, '\r\n') + '"';
  }

  function line(row, decision) {
    var entry = row.cells[0].textContent;
    var fields = [field(row.dataset.f), entry.slice(entry.lastIndexOf(' ') + 1),
                  field(ownText(row.cells[2])), decision.d];
    if (decision.d === 'edit') return fields.concat(['', '', field(decision.t), field(decision.f)]);
    var choice = choices(row)[decision.d === 'accept' ? decision.c : 0];
    return fields.concat([field(choice.r), choice.i, '', '']);
  }

  // In the page's own order, whatever the sort shown.
  function save() {
    var lines = ['mod file,id,mod text,decision,reference file,reference id,translation,' +
                 'female translation'];
    rows.forEach(function (row) {
      if (decisions[row.id]) lines.push(line(row, decisions[row.id]).join(','));
    });
    var blob = new Blob(['\ufeff' + lines.join('\r\n') + '\r\n'], { type: 'text/csv' });
    if (savedUrl) URL.revokeObjectURL(savedUrl);
    savedUrl = URL.createObjectURL(blob);
    var link = document.createElement('a');
    link.href = savedUrl;
    link.download = 'Wordgleaner_decisions.csv';
    document.body.appendChild(link);
    link.click();
    link.remove();
  }

  table.tHead.rows[0].appendChild(document.createElement('th')).textContent = 'Decision';
  rows.forEach(addControls);
  // A choice the row no longer lists is dropped, not saved under another
  // candidate's id.
  Object.keys(decisions).forEach(function (id) {
    var row = document.getElementById(id), decision = decisions[id];
    if (!row || row.dataset.i === undefined) return;
    if (decision.d === 'accept' && !choices(row)[decision.c]) delete decisions[id];
    else show(row);
  });
  count();
  document.getElementById('save').addEventListener('click', save);
  select(rows.filter(function (row) { return !row.hidden; })[0] || null, false);
})();
)js";
}

}  // namespace wordgleaner
