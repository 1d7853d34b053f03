#include "page_assets.h"

namespace zemra::cli {

const char* const kPageStyle = R"css(
:root { color-scheme: light; --ink: #1d2430; --muted: #5b6676; --rule: #d5dbe3; --band: #f3f5f8;
  --diode: #d9e7f8; --diode-edge: #2f6db5; --j: #d9f0d2; --j-edge: #3a8a2c;
  --none: #fde3df; --none-edge: #c0392b; }
* { box-sizing: border-box; }
body { margin: 0; color: var(--ink); background: #fff;
  font: 14px/1.45 system-ui, -apple-system, "Segoe UI", Roboto, "Noto Sans", sans-serif; }
header.page { padding: 18px 28px; background: #1f2a3a; color: #fff; }
header.page h1 { margin: 0 0 4px; font-size: 20px; font-weight: 600; }
header.page p { margin: 0; color: #c9d3e0; }
nav.boards { padding: 8px 28px; background: var(--band); border-bottom: 1px solid var(--rule); }
nav.boards a { margin-right: 16px; }
main { padding: 4px 28px 40px; }
section.board { border-bottom: 2px solid var(--rule); padding-bottom: 20px; }
section.board.failed h2 { color: #b03a2e; }
h2 { font-size: 18px; margin: 22px 0 8px; overflow-wrap: anywhere; }
h3 { font-size: 15px; margin: 22px 0 8px; padding-bottom: 3px; border-bottom: 1px solid var(--rule); }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 2px 16px; margin: 0 0 10px; }
dl.facts dt { color: var(--muted); }
dl.facts dd { margin: 0; overflow-wrap: anywhere; }
code { font: 12px/1.3 ui-monospace, "Cascadia Mono", Consolas, "DejaVu Sans Mono", monospace; }
ul.messages { margin: 0; padding: 0; list-style: none; }
table { border-collapse: collapse; margin: 6px 0 10px; }
th, td { border: 1px solid var(--rule); padding: 3px 7px; text-align: left; vertical-align: top; }
th { background: var(--band); font-weight: 600; }
td.number { text-align: right; font-variant-numeric: tabular-nums; }
table.counts th { font-weight: 500; color: var(--muted); }
table.counts td { font-size: 16px; font-weight: 600; }
.scripted .sortable th { cursor: pointer; user-select: none; }
.sortable th[aria-sort=ascending]::after { content: " \25B2"; }
.sortable th[aria-sort=descending]::after { content: " \25BC"; }
table.checks td:nth-child(-n+2) { white-space: nowrap; }
table.check-counts tr.error td:nth-child(2), details.check-group summary span.error {
  background: #b03a2e; color: #fff; font-weight: 600; }
table.check-counts tr.warning td:nth-child(2), details.check-group summary span.warning {
  background: #f6d77a; }
table.check-counts tr.info td:nth-child(2), details.check-group summary span.info {
  background: #dfe7f1; }
details.check-group { margin: 4px 0 8px; }
details.check-group > summary { color: var(--ink); }
details.check-group summary span { padding: 0 6px; border-radius: 2px; }
details.check-group.error { border-left: 4px solid #b03a2e; padding-left: 8px; }
p.advice { margin: 2px 0 4px; }
details > summary { cursor: pointer; margin: 6px 0; color: var(--diode-edge); }
p.parts { margin: 0 0 8px; }
div.wide { overflow-x: auto; }
table.steps { font-size: 12px; }
table.steps th, table.steps td:last-child { white-space: nowrap; }
table.steps tr.dropped { background: #fff2ef; color: #8a2b20; }
table.steps tr.skipped { background: #f6f6f6; color: var(--muted); }
tr:target { outline: 2px solid var(--diode-edge); }
.controls { margin: 4px 0; }
.controls input, .controls select { font: inherit; padding: 2px 6px; }
input[type=search] { width: 16em; }
p.legend { color: var(--muted); }
.swatch { display: inline-block; width: 14px; height: 14px; border: 1.5px solid; border-radius: 2px;
  vertical-align: -2px; margin-left: 6px; }
.swatch.diode { background: var(--diode); border-color: var(--diode-edge); }
.swatch.j { background: var(--j); border-color: var(--j-edge); }
.swatch.none { background: var(--none); border-color: var(--none-edge); border-style: dashed; }
/* A board can have thousands of ICs and a long table: the browser lays out only what is in view. */
figure.ic { margin: 14px 0 18px; content-visibility: auto; contain-intrinsic-size: auto 160px; }
div.wide { content-visibility: auto; contain-intrinsic-size: auto 20000px; }
figure.ic figcaption { margin-bottom: 5px; }
svg.pins { display: block; max-width: 100%; height: auto; }
svg.pins text { font-family: system-ui, sans-serif; }
svg.pins .p { font-size: 9px; fill: var(--muted); }
svg.pins .t { font-size: 13px; font-weight: 600; text-anchor: middle; fill: var(--ink); }
svg.pins .t.c { font-size: 10px; }
svg.pins .pin rect { stroke-width: 1.2; }
svg.pins .pin[data-source=diode] rect { fill: var(--diode); stroke: var(--diode-edge); }
svg.pins .pin[data-source=j] rect { fill: var(--j); stroke: var(--j-edge); }
svg.pins .pin[data-source=none] rect { fill: var(--none); stroke: var(--none-edge);
  stroke-dasharray: 3 2; }
svg.pins .pin:hover rect { stroke-width: 2.5; }
svg.pins .a { font-size: 8px; text-anchor: end; fill: #2c6b22; }
svg.pins .pin[data-agreement=conflict] .a { fill: #a3341f; font-weight: 700; }
svg.pins .pin[data-agreement=conflict] rect { stroke: #a3341f; stroke-width: 2.5; }
.scripted svg.pins .pin { cursor: pointer; }
svg.pins .pin:focus { outline: none; }
svg.pins .pin:focus rect, svg.pins .pin.chosen rect { stroke: var(--ink); stroke-width: 3; }
div.pin-panel { margin: 8px 0 4px; padding: 6px 12px 8px; border: 1px solid var(--rule);
  border-left: 4px solid var(--diode-edge); background: #fff; }
div.pin-panel.conflict { border-left-color: #a3341f; }
div.pin-panel h4 { margin: 4px 0; font-size: 14px; }
div.pin-panel p { margin: 4px 0; }
div.pin-panel table { font-size: 12px; }
div.pin-panel tr.used td { background: #eef8ea; }
div.pin-panel button { font: inherit; }
svg.pins .pin rect { fill: var(--band); stroke: var(--rule); }
svg.pins .pin.changed rect { fill: var(--none); stroke: var(--none-edge); stroke-width: 2.5; }
table.diff tr.removed { background: #fff2ef; }
table.diff tr.added { background: #eef8ea; }
table.diff tr.old td { border-bottom-style: dashed; }
table.diff td.changed { background: #f6d77a; font-weight: 600; }
table.diff tr.record td { color: var(--muted); white-space: normal; }
p.note { color: var(--muted); font-style: italic; }
table.tuning tr.conflict { background: #fff6db; }
table.tuning tr.dropped, table.tuning tr.removed { background: #fff2ef; }
/* On paper: A4 landscape, every section open, the steps table within the page's width, no pin
   map cut by a page break, dark text, and none of the controls or hints of the screen. */
@page { size: A4 landscape; margin: 10mm; }
@media print {
  :root { --muted: #3d4653; --rule: #9aa3ad; }
  body { font-size: 11px; }
  * { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
  .controls, .hint, nav.boards, p.parts, button, div.pin-panel button { display: none !important; }
  header.page { background: none; color: var(--ink); padding: 0 0 6px;
    border-bottom: 2px solid var(--ink); }
  header.page p { color: var(--ink); }
  main { padding: 0; }
  a { color: inherit; text-decoration: none; }
  details > summary { color: var(--ink); list-style: none; }
  details > summary::-webkit-details-marker { display: none; }
  details::details-content { content-visibility: visible; display: block; }
  figure.ic, div.wide { content-visibility: visible; contain-intrinsic-size: none; }
  figure.ic, div.pin-panel, table.counts, table.check-counts { break-inside: avoid; }
  svg.pins { break-inside: avoid; }
  h2, h3, figcaption { break-after: avoid; }
  div.wide { overflow: visible; }
  table.steps { width: 100%; table-layout: auto; font-size: 8.5px; }
  table.steps th, table.steps td { padding: 1px 2px; white-space: normal; }
  table.steps th, table.steps td:last-child { white-space: normal; }
  table.steps tr, table.tuning tr { break-inside: avoid; }
  thead { display: table-header-group; }
  table.outputs code, dl.facts code { font-size: 9px; }
  svg.pins .pin:focus rect { stroke-width: 1.2; }
  tr:target { outline: none; }
  .sortable th[aria-sort]::after { content: none; }
}
)css";

// Sorting and filtering only: without it the page shows everything, in file order.
const char* const kPageScript = R"js(
(function () {
  "use strict";
  document.querySelectorAll(".controls").forEach(function (controls) { controls.hidden = false; });

  // The cell under the heading `column`, counting the columns that a cell spans.
  function cellAt(row, column) {
    var at = 0;
    for (var index = 0; index < row.cells.length; index++) {
      at += row.cells[index].colSpan;
      if (at > column) { return at - row.cells[index].colSpan === column ? row.cells[index] : null; }
    }
    return null;
  }

  function keyOf(row, column) {
    var cell = cellAt(row, column);
    var text = cell ? cell.textContent.trim() : "";
    var number = text === "" ? NaN : Number(text);
    return { text: text, number: number };
  }

  function compareKeys(left, right) {
    var leftNumber = !isNaN(left.number), rightNumber = !isNaN(right.number);
    if (leftNumber && rightNumber) { return left.number - right.number; }
    if (leftNumber !== rightNumber) { return leftNumber ? -1 : 1; }
    if (left.text === right.text) { return 0; }
    if (left.text === "") { return 1; }
    if (right.text === "") { return -1; }
    return left.text < right.text ? -1 : 1;
  }

  document.querySelectorAll("table.sortable").forEach(function (table) {
    var headings = table.tHead.rows[0].cells;
    Array.prototype.forEach.call(headings, function (heading, column) {
      heading.addEventListener("click", function () {
        var descending = heading.getAttribute("aria-sort") === "ascending";
        Array.prototype.forEach.call(headings, function (other) { other.removeAttribute("aria-sort"); });
        heading.setAttribute("aria-sort", descending ? "descending" : "ascending");
        var body = table.tBodies[0];
        var rows = Array.prototype.map.call(body.rows, function (row, index) {
          return { row: row, key: keyOf(row, column), index: index };
        });
        rows.sort(function (left, right) {
          var order = compareKeys(left.key, right.key);
          return (descending ? -order : order) || left.index - right.index;
        });
        var sorted = document.createDocumentFragment();
        rows.forEach(function (entry) { sorted.appendChild(entry.row); });
        body.appendChild(sorted);
      });
    });
  });

  // Hides the rows of `table` that do not hold `text`; returns how many show.
  function filterRows(table, text) {
    var shown = 0;
    Array.prototype.forEach.call(table.tBodies[0].rows, function (row) {
      if (row.searchText === undefined) { row.searchText = row.textContent.toLowerCase(); }
      row.hidden = text !== "" && row.searchText.indexOf(text) < 0;
      shown += row.hidden ? 0 : 1;
    });
    return shown;
  }

  // A table's rows show when they hold the text typed. The checks show by group: those of the
  // severity chosen and, when a count row was chosen, of its check only.
  function filterTable(id) {
    var target = document.getElementById(id);
    var input = document.querySelector("input[data-filter='" + id + "']");
    var text = input ? input.value.trim().toLowerCase() : "";
    if (target.tagName === "TABLE") {
      filterRows(target, text);
      return;
    }
    var select = document.querySelector("select[data-severity='" + id + "']");
    var severity = select ? select.value : "";
    var only = target.getAttribute("data-only") || "";
    target.querySelectorAll("details.check-group").forEach(function (group) {
      var shown = filterRows(group.querySelector("table"), text);
      group.hidden = (severity !== "" && group.getAttribute("data-severity") !== severity) ||
        (only !== "" && group.getAttribute("data-check") !== only) || (text !== "" && shown === 0);
    });
    var showAll = document.querySelector("button[data-show-all='" + id + "']");
    if (showAll) { showAll.hidden = only === ""; }
  }
  document.querySelectorAll("a[data-only]").forEach(function (link) {
    link.addEventListener("click", function () {
      var id = link.getAttribute("data-only");
      var target = document.getElementById(id);
      target.setAttribute("data-only", link.getAttribute("data-check"));
      document.getElementById(link.getAttribute("href").slice(1)).open = true;
      filterTable(id);
    });
  });
  document.querySelectorAll("button[data-show-all]").forEach(function (button) {
    button.addEventListener("click", function () {
      var id = button.getAttribute("data-show-all");
      document.getElementById(id).removeAttribute("data-only");
      filterTable(id);
    });
  });
  document.querySelectorAll("input[data-filter]").forEach(function (input) {
    input.addEventListener("input", function () { filterTable(input.getAttribute("data-filter")); });
  });
  document.querySelectorAll("select[data-severity]").forEach(function (select) {
    select.addEventListener("change", function () { filterTable(select.getAttribute("data-severity")); });
  });

  document.querySelectorAll("input[data-ic-filter]").forEach(function (input) {
    var section = document.getElementById(input.getAttribute("data-ic-filter"));
    input.addEventListener("input", function () {
      var text = input.value.trim().toLowerCase();
      section.querySelectorAll("figure.ic").forEach(function (figure) {
        figure.hidden = text !== "" && figure.getAttribute("data-ic").toLowerCase().indexOf(text) < 0;
      });
    });
  });

  // The steps that name a pin, in a panel below its map, for the pin cell chosen.
  var pageData = null;
  function boardData(section) {
    if (pageData === null) { pageData = JSON.parse(document.getElementById("zemra-data").textContent); }
    return pageData.boards[Number(section.id.slice(1)) - 1];
  }

  function element(name, text, className) {
    var made = document.createElement(name);
    if (text !== undefined && text !== null) { made.textContent = String(text); }
    if (className) { made.className = className; }
    return made;
  }

  // The step that gave a pin its tester pin in the .icp.
  function givenBy(explained) {
    return explained.steps.filter(function (step) { return step[7] === "gave"; })[0];
  }

  function stepWords(step) {
    return (step[2] === "j" ? "J" : "diode") + " step " + step[0] + " \"" + step[3] + "\"";
  }

  // Why a step did or did not give the pin its tester pin, in words.
  function roleWords(ic, explained, step) {
    var given = givenBy(explained);
    var instead = given ? stepWords(given) + " gives tester pin " + given[6] : "another step does";
    var name = "\"" + ic.name + "\"";
    switch (step[7]) {
      case "gave": return "yes, this is the tester pin of the .icp";
      case "laterDiodeStep":
        return "not used: later, " + instead + "; the last diode step of a pin goes to the .icp";
      case "jStepWins":
        return "not used: " + instead + ", and a J step's tester pin goes to the .icp over a " +
          "diode step's";
      case "laterJPin":
        return "not used: later, " + instead + "; the last J pin found for a pin goes to the .icp";
      case "noCommonPin":
        return "ignored: neither its Hi-P " + step[4] + " nor its Lo-P " + step[5] +
          " is tester pin " + ic.commonPin + ", the common pin of IC " + name +
          ", so it gives no pin";
      case "nothingFound":
        return "ignored: it found no pin, as no diode pin of IC " + name + " is at its tester pin " +
          step[4] + " or " + step[5] + " with the rest of its pin text a pin in reach, and " +
          (ic.pairsJSteps ? "pairing it with the J step before it gave nothing" :
            "J steps are paired only for the IC whose J steps come first on the board");
      case "otherDevice":
        return "ignored: it counts for device \"" + step[8] + "\", not for IC " + name +
          ": under KX740E a J step whose name begins with IC keeps it and gets the prefix J, " +
          "while the other steps of the IC are listed with U";
    }
    return "";
  }

  function pinSummary(ic, pin, explained, testerPin) {
    var given = givenBy(explained);
    if (testerPin === 0) {
      return explained.steps.length === 0 ?
        "Unresolved: no diode or J step names this pin, so the .icp has tester pin 0." :
        "Unresolved: the .icp has tester pin 0 for this pin." +
          (given ? " It came from step " + given[0] + ", which gives tester pin 0." : "");
    }
    var from = given ? " from " + (given[2] === "j" ? "J" : "diode") + " step " + given[0] + " " + given[3] : "";
    if (explained.agreement === "conflict") {
      return "Diode and J steps give this pin different tester pins. The .icp has tester pin " +
        testerPin + from + ": check the wiring of this pin on the fixture.";
    }
    if (explained.agreement === "agree") {
      return "Its diode and J steps agree: tester pin " + testerPin + from + ".";
    }
    return "Tester pin " + testerPin + from + ".";
  }

  function closePinPanel(figure, refocus) {
    var panel = figure.querySelector("div.pin-panel");
    var chosen = figure.querySelector("g.pin.chosen");
    if (panel) { panel.remove(); }
    if (chosen) {
      chosen.classList.remove("chosen");
      chosen.removeAttribute("aria-expanded");
      if (refocus) { chosen.focus(); }
    }
  }

  function openPinPanel(cell) {
    var figure = cell.closest("figure.ic");
    var section = cell.closest("section.board");
    var board = boardData(section);
    var ic = board.ics[Number(figure.id.split("-ic-")[1]) - 1];
    var pin = Number(cell.getAttribute("data-pin"));
    var explained = ic.explained[pin - 1] || { agreement: "", steps: [] };
    var testerPin = Number(cell.getAttribute("data-tester-pin"));
    closePinPanel(figure, false);
    cell.classList.add("chosen");
    cell.setAttribute("aria-expanded", "true");
    var panel = element("div", null, "pin-panel" + (explained.agreement === "conflict" ? " conflict" : ""));
    panel.setAttribute("role", "region");
    var title = ic.name + " pin " + pin + " (ICP " + (ic.firstIcp + pin - 1) + "): tester pin " + testerPin;
    panel.setAttribute("aria-label", "Steps that name " + ic.name + " pin " + pin);
    var heading = element("h4", title);
    heading.tabIndex = -1;
    panel.appendChild(heading);
    panel.appendChild(element("p", pinSummary(ic, pin, explained, testerPin)));
    if (explained.steps.length > 0) {
      var table = element("table", null, "pin-steps");
      var head = table.createTHead().insertRow();
      ["Step", "Kind", "Part name", "Hi-P", "Lo-P", "Gives tester pin", "In the .icp"].forEach(function (name) {
        head.appendChild(element("th", name));
      });
      var body = table.createTBody();
      explained.steps.forEach(function (step) {
        var row = body.insertRow();
        if (step[7] === "gave") { row.className = "used"; }
        var stepCell = row.insertCell();
        if (step[1] / 64 < board.steps.rows.length) {
          var link = element("a", step[0]);
          link.href = "#" + section.id + "-r" + step[1];
          stepCell.appendChild(link);
        } else {
          stepCell.textContent = step[0];
        }
        stepCell.className = "number";
        row.insertCell().textContent = step[2] === "j" ? "J step" : "diode step";
        row.insertCell().textContent = step[3];
        [step[4], step[5]].forEach(function (number) {
          var cell = row.insertCell();
          cell.textContent = number;
          cell.className = "number";
        });
        var gives = row.insertCell();
        gives.textContent = step[6] === 0 && step[7] !== "gave" ? "none" : step[6];
        gives.className = "number";
        row.insertCell().textContent = roleWords(ic, explained, step);
      });
      panel.appendChild(table);
    }
    var close = element("button", "Close");
    close.type = "button";
    close.addEventListener("click", function () { closePinPanel(figure, true); });
    panel.appendChild(close);
    panel.addEventListener("keydown", function (event) {
      if (event.key === "Escape") { closePinPanel(figure, true); }
    });
    figure.appendChild(panel);
    heading.focus();
  }

  // The cells of a map are one stop of the tab key: the arrow keys move between them, 16 to a
  // row as the maps are drawn.
  var cellMoves = { ArrowLeft: -1, ArrowRight: 1, ArrowUp: -16, ArrowDown: 16 };
  function moveFocus(cells, from, to) {
    if (to < 0 || to >= cells.length || to === from) { return; }
    cells[from].tabIndex = -1;
    cells[to].tabIndex = 0;
    cells[to].focus();
  }

  document.querySelectorAll("section.board figure.ic").forEach(function (figure) {
    var cells = figure.querySelectorAll("svg.pins g.pin");
    Array.prototype.forEach.call(cells, function (cell, index) {
      cell.setAttribute("role", "button");
      cell.tabIndex = index === 0 ? 0 : -1;
    });
    figure.addEventListener("click", function (event) {
      var cell = event.target.closest("g.pin");
      if (cell) { openPinPanel(cell); }
    });
    figure.addEventListener("keydown", function (event) {
      var cell = event.target.closest("g.pin");
      if (!cell) { return; }
      var index = Number(cell.getAttribute("data-pin")) - 1;
      if (event.key === "Enter" || event.key === " ") {
        event.preventDefault();
        openPinPanel(cell);
      } else if (cellMoves[event.key] !== undefined) {
        event.preventDefault();
        moveFocus(cells, index, index + cellMoves[event.key]);
      } else if (event.key === "Home" || event.key === "End") {
        event.preventDefault();
        moveFocus(cells, index, event.key === "Home" ? 0 : cells.length - 1);
      }
    });
  });

  // Paper shows every section: the folded ones open for the print and fold again after it.
  var openedForPrint = [];
  window.addEventListener("beforeprint", function () {
    document.querySelectorAll("details:not([open])").forEach(function (details) {
      details.open = true;
      openedForPrint.push(details);
    });
  });
  window.addEventListener("afterprint", function () {
    openedForPrint.forEach(function (details) { details.open = false; });
    openedForPrint = [];
  });

  // Headings look clickable only once they sort.
  document.documentElement.classList.add("scripted");
})();
)js";

}  // namespace zemra::cli
