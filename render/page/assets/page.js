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

  // Sort keys in natural order: numbers by value, texts by their runs of digits and of other
  // characters, a run of digits by its value (C2 before C10), empty cells last.
  var numberPattern = /^-?\d+(\.\d+)?$/;
  function sortKey(value) {
    var text = value === null || value === undefined ? "" : String(value).trim();
    if (numberPattern.test(text)) { return { number: Number(text) }; }
    return { text: text, runs: text.match(/\d+|\D+/g) || [] };
  }

  function isDigit(text) {
    var code = text.charCodeAt(0);
    return code >= 48 && code <= 57;
  }

  function compareRuns(left, right) {
    for (var index = 0; index < left.length && index < right.length; index++) {
      var leftRun = left[index], rightRun = right[index];
      if (leftRun === rightRun) { continue; }
      if (isDigit(leftRun) && isDigit(rightRun)) {
        var leftValue = leftRun.replace(/^0+/, ""), rightValue = rightRun.replace(/^0+/, "");
        if (leftValue.length !== rightValue.length) { return leftValue.length - rightValue.length; }
        if (leftValue !== rightValue) { return leftValue < rightValue ? -1 : 1; }
        return leftRun.length - rightRun.length;
      }
      return leftRun < rightRun ? -1 : 1;
    }
    return left.length - right.length;
  }

  function compareKeys(left, right) {
    var leftNumber = left.number !== undefined, rightNumber = right.number !== undefined;
    if (leftNumber && rightNumber) { return left.number - right.number; }
    if (leftNumber !== rightNumber) { return leftNumber ? -1 : 1; }
    return left.text === right.text ? 0 : compareRuns(left.runs, right.runs);
  }

  // Sorts `count` items by the keys of `keyOf`, stable, in either direction; returns their order.
  function sortedOrder(count, keyOf, descending) {
    var keys = [], order = [];
    for (var index = 0; index < count; index++) {
      keys.push(keyOf(index));
      order.push(index);
    }
    // Empty cells stay last in either direction.
    order.sort(function (left, right) {
      var leftEmpty = keys[left].text === "", rightEmpty = keys[right].text === "";
      if (leftEmpty !== rightEmpty) { return leftEmpty ? 1 : -1; }
      var compared = compareKeys(keys[left], keys[right]);
      return (descending ? -compared : compared) || left - right;
    });
    return order;
  }

  // Each heading of a sortable table becomes a button, so the keyboard sorts as the mouse does;
  // aria-sort gives the order, and the table's status line says it in words.
  function makeSortable(table, sortBy) {
    var headings = table.tHead.rows[0].cells;
    var status = document.getElementById(table.id + "-status");
    Array.prototype.forEach.call(headings, function (heading, column) {
      var button = element("button", heading.textContent, "sort");
      button.type = "button";
      heading.textContent = "";
      heading.appendChild(button);
      button.addEventListener("click", function () {
        var descending = heading.getAttribute("aria-sort") === "ascending";
        Array.prototype.forEach.call(headings, function (other) { other.removeAttribute("aria-sort"); });
        heading.setAttribute("aria-sort", descending ? "descending" : "ascending");
        sortBy(column, descending);
        if (status) {
          status.textContent = "Sorted by " + button.textContent + ", " +
            (descending ? "descending" : "ascending") + "; " + status.getAttribute("data-count");
        }
      });
    });
  }

  document.querySelectorAll("table.sortable:not(.steps)").forEach(function (table) {
    makeSortable(table, function (column, descending) {
      var body = table.tBodies[0];
      var rows = Array.prototype.slice.call(body.rows);
      var sorted = document.createDocumentFragment();
      sortedOrder(rows.length, function (index) {
        var cell = cellAt(rows[index], column);
        return sortKey(cell ? cell.textContent : "");
      }, descending).forEach(function (index) { sorted.appendChild(rows[index]); });
      body.appendChild(sorted);
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
    var status = input.parentNode.parentNode.querySelector("span.found");
    input.addEventListener("input", function () {
      var text = input.value.trim().toLowerCase();
      section.querySelectorAll("figure.ic").forEach(function (figure) {
        figure.hidden = text !== "" && figure.getAttribute("data-ic").toLowerCase().indexOf(text) < 0;
      });
      if (status && section.classList.contains("board")) {
        if (text === "") { status.textContent = ""; } else { drawIcsNamed(section, text, status); }
      }
    });
  });

  // The steps that name a pin, in a panel below its map, for the pin cell chosen.
  // The rows of a steps table, each whole as [offset, step, became, part name, LC, Actual-V, ...],
  // from the page's data, where a row is its part name alone while its other values are as
  // foreseen from the rows before it, else [part name, mask, value...], a value for each bit of
  // the mask: Hi-P, Lo-P, what it became, step less the last step, records since the row before,
  // then the columns at rowColumns.
  var becameNames = { p: "pin step", s: "step", "*": "*", d: "dropped" };
  var rowColumns = [5, 6, 7, 12, 11, 4, 8, 9, 10, 15, 16, 17, 18, 19, 20];
  function decodedRows(coded) {
    var ordinal = -1, step = 0, became = "s", hiMove = 0, loMove = 0;
    var last = [0, 0, 0, 0, "", "", "", "", 0, 0, 0, 0, "", 0, 0, 0, 0, 0, 0, 0, 0];
    return coded.map(function (code) {
      var name = code, mask = 0, at = 2;
      if (typeof code !== "string") { name = code[0]; mask = code[1]; }
      var hi = last[13] + hiMove, lo = last[14] + loMove, steps = 1;
      if (mask & 1) { hi = code[at++]; }
      if (mask & 2) { lo = code[at++]; }
      if (mask & 4) { became = code[at++]; }
      if (mask & 8) { steps = code[at++]; }
      ordinal += mask & 16 ? code[at++] : 1;
      if (became === "d") { return [ordinal * 64, null, becameNames.d, name]; }
      for (var bit = 5; bit < 20; bit++) {
        if (mask & (1 << bit)) { last[rowColumns[bit - 5]] = code[at++]; }
      }
      step += steps;
      hiMove = hi - last[13];
      loMove = lo - last[14];
      last[13] = hi;
      last[14] = lo;
      var row = last.slice();
      row[0] = ordinal * 64;
      row[1] = step;
      row[2] = becameNames[became];
      row[3] = name;
      return row;
    });
  }

  // The rows of a board's steps table, read when first needed: #bN-rows. The steps table needs
  // them as the page opens, the rest of the board's data only once an IC or a pin is asked for.
  var rowsRead = {};
  function stepRows(section) {
    if (!rowsRead[section.id]) {
      rowsRead[section.id] = decodedRows(JSON.parse(document.getElementById(section.id + "-rows").textContent));
    }
    return rowsRead[section.id];
  }

  // A board's data, read when first needed: #bN-data, with the rows of its steps table and its
  // ICs, #bN-ics. Each IC is an array written against the IC before it; its fields are read here,
  // its pins when first drawn (explainedIc).
  var boardsRead = {};
  function boardData(section) {
    if (!boardsRead[section.id]) {
      var board = JSON.parse(document.getElementById(section.id + "-data").textContent);
      if (board.steps) { board.steps.rows = stepRows(section); }
      if (board.summary) {
        var mapped = {};
        (board.mapped || []).forEach(function (index) { mapped[index] = true; });
        var lc = "", nextIcp = 1, firstRow = 0;
        var coded = JSON.parse(document.getElementById(section.id + "-ics").textContent);
        board.ics = coded.map(function (values, index) {
          if (values[1] !== 0) { lc = values[1]; }
          firstRow += values[8];
          var ic = { name: values[0], lc: lc, pinCount: values[2], firstIcp: nextIcp + values[3],
            pinsFromDiodeSteps: values[4], pinsFromJSteps: values[5], unresolvedCount: values[6],
            mapped: mapped[index] === true, pinsNotDrawn: Math.max(values[2] - kMostDrawnPins, 0),
            firstRow: firstRow, commonPin: values[13], pairsJSteps: values[14] === null ? null :
              values[14] === 1, coded: values };
          nextIcp = ic.firstIcp + ic.pinCount;
          return ic;
        });
      }
      boardsRead[section.id] = board;
    }
    return boardsRead[section.id];
  }

  // An IC of a board's data with its drawn pins: "testerPins", "sources" (d, j or n) and "steps"
  // (the step that gave each, 0 for none), and in "explained" each pin's agreement and every step
  // that names it as [step, offset, kind, part name, Hi-P, Lo-P, tester pin given, role, device
  // counted for], read from the IC's codes and the rows of the steps table.
  var kMostDrawnPins = 512;
  var roleNames = ["gave", "laterDiodeStep", "jStepWins", "laterJPin", "noCommonPin",
    "nothingFound", "otherDevice"];
  var agreementNames = { a: "agree", c: "conflict", "-": "" };
  function explainedIc(board, index) {
    var ic = board.ics[index];
    if (ic.explained) { return ic; }
    var values = ic.coded, drawn = Math.max(Math.min(ic.pinCount, kMostDrawnPins), 0);
    var testerPin = -1, sources = "", steps = [];
    ic.testerPins = [];
    for (var pin = 0; pin < drawn; pin++) {
      testerPin += 1 + (pin < values[7].length ? values[7][pin] : 0);
      ic.testerPins.push(testerPin);
    }
    ic.explained = [];
    var uses = values[10];
    for (var at = 0; at < uses.length;) {
      var explained = { agreement: values[9] === 0 ? "" :
          agreementNames[values[9].charAt(ic.explained.length)], steps: [] };
      var pinTesterPin = ic.testerPins[ic.explained.length], source = "n", given = 0, gave = false;
      ic.explained.push(explained);
      if (uses[at] === -1) { at++; } else {
        var code, last = false;
        while (!last) {
          code = uses[at++];
          last = code % 2 === 1;
          code = Math.floor(code / 2);
          var flags = code % 4, jStep = Math.floor(code / 4) % 2 === 1;
          var role = Math.floor(code / 8) % 8, row = board.steps.rows[ic.firstRow + Math.floor(code / 64)];
          var tester = role >= 4 ? 0 : pinTesterPin, hi = row[13], lo = row[14];
          if (flags & 1) { tester = uses[at++]; }
          if (flags & 2) { hi = uses[at++]; lo = uses[at++]; }
          var step = [row[1], row[0], jStep ? "j" : "diode", row[3], hi, lo, tester, roleNames[role]];
          if (role === 6) { step.push(uses[at++]); }
          if (role === 0 && !gave) {
            gave = true;
            source = pinTesterPin === 0 ? "n" : jStep ? "j" : "d";
            given = row[1];
          }
          explained.steps.push(step);
        }
      }
      sources += source;
      steps.push(given);
    }
    ic.sources = values[11] === 0 ? sources : values[11];
    ic.steps = values[12] === 0 ? steps : values[12];
    return ic;
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
    var ic = explainedIc(board, Number(figure.id.split("-ic-")[1]) - 1);
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
        if (rowIndex(board.steps.rows, step[1]) >= 0) {
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

  function wireFigure(figure) {
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
  }
  document.querySelectorAll("section.board figure.ic").forEach(wireFigure);

  // The row of the record at `offset` in a board's data, by a binary search of the offsets.
  function rowIndex(rows, offset) {
    var low = 0, high = rows.length - 1;
    while (low <= high) {
      var middle = (low + high) >> 1;
      if (rows[middle][0] === offset) { return middle; }
      if (rows[middle][0] < offset) { low = middle + 1; } else { high = middle - 1; }
    }
    return -1;
  }

  // The steps table draws the rows of the page's data, sorted and filtered as chosen, a batch at
  // a time as it is scrolled: every step in the data is in reach, whatever the size of the board.
  var kRowsAtOnce = 200;
  var stepsTables = {};
  function dataColumn(column) { return column <= 1 ? column : column === 20 ? 2 : column + 1; }

  function stepRowElement(section, row) {
    var tr = document.createElement("tr");
    tr.id = section.id + "-r" + row[0];
    tr.className = row[2] === "dropped" ? "dropped" : row[2] === "*" ? "skipped" : "step";
    function cell(value, number) {
      var td = tr.insertCell();
      td.textContent = value === null || value === undefined ? "" : String(value);
      if (number) { td.className = "number"; }
    }
    cell(row[0], true);
    if (row[2] === "dropped") {
      cell("");
      cell(row[3]);
      tr.insertCell().colSpan = 17;
      cell("dropped");
      return tr;
    }
    cell(row[1], true);
    cell(row[3]);
    cell(row[4]);
    cell(row[5], true);
    cell(row[6], true);
    cell(row[7]);
    for (var index = 8; index <= 11; index++) { cell(row[index], true); }
    cell(row[12]);
    for (index = 13; index <= 20; index++) { cell(row[index], true); }
    cell(row[2] === "*" ? "\"*\" step" : row[2]);
    return tr;
  }

  function stepsTable(section, table) {
    var rows = stepRows(section);
    var body = table.tBodies[0];
    var frame = table.parentNode;
    var status = document.getElementById(table.id + "-status");
    var inputs = document.querySelectorAll("input[data-table='" + table.id + "']");
    var order = rows.map(function (row, index) { return index; });
    var view = order, drawn = 0, part = "", pin = NaN;
    var more = element("button", "", "more");
    more.type = "button";
    frame.appendChild(more);

    function drawMore(count) {
      var rowsDrawn = document.createDocumentFragment();
      for (var end = Math.min(view.length, drawn + count); drawn < end; drawn++) {
        rowsDrawn.appendChild(stepRowElement(section, rows[view[drawn]]));
      }
      body.appendChild(rowsDrawn);
      more.hidden = drawn >= view.length;
      more.textContent = "Show the next " + Math.min(kRowsAtOnce, view.length - drawn) + " of " +
        (view.length - drawn) + " rows not drawn";
    }

    function matches(row) {
      if (part !== "" && String(row[3]).toLowerCase() !== part) { return false; }
      if (isNaN(pin)) { return true; }
      for (var column = 13; column <= 19; column++) {
        if (row[column] === pin) { return true; }
      }
      return false;
    }

    function redraw() {
      view = part === "" && isNaN(pin) ? order : order.filter(function (index) { return matches(rows[index]); });
      body.textContent = "";
      drawn = 0;
      drawMore(kRowsAtOnce);
      var count = view.length === rows.length ? rows.length + " rows" :
        view.length + " of " + rows.length + " rows";
      status.setAttribute("data-count", count);
      status.textContent = count;
    }

    Array.prototype.forEach.call(inputs, function (input) {
      input.addEventListener("input", function () {
        var text = input.value.trim();
        if (input.getAttribute("data-steps-filter") === "part") {
          part = text.toLowerCase();
        } else {
          pin = text === "" || !/^\d+$/.test(text) ? NaN : Number(text);
        }
        redraw();
      });
    });
    makeSortable(table, function (column, descending) {
      var at = dataColumn(column);
      order = sortedOrder(rows.length, function (index) { return sortKey(rows[index][at]); }, descending);
      redraw();
    });
    more.addEventListener("click", function () { drawMore(kRowsAtOnce); });
    if (window.IntersectionObserver) {
      new IntersectionObserver(function (entries) {
        if (entries[0].isIntersecting && !more.hidden) { drawMore(kRowsAtOnce); }
      }, { root: frame, rootMargin: "400px" }).observe(more);
    }
    redraw();

    // Draws the row of the record at `offset`, clearing the filters that hide it; returns it.
    return function (offset) {
      var index = rowIndex(rows, offset);
      if (index < 0) { return null; }
      var position = view.indexOf(index);
      if (position < 0) {
        Array.prototype.forEach.call(inputs, function (input) { input.value = ""; });
        part = "";
        pin = NaN;
        redraw();
        position = view.indexOf(index);
      }
      if (position >= drawn) { drawMore(position + 1 - drawn + kRowsAtOnce); }
      return document.getElementById(section.id + "-r" + offset);
    };
  }

  document.querySelectorAll("section.board table.steps").forEach(function (table) {
    var section = table.closest("section.board");
    stepsTables[section.id] = stepsTable(section, table);
  });

  // A map drawn on demand, as the page draws the others.
  // The SVG namespace, as the HTML parser gives it: the page names no address.
  var svgSpace = (function () {
    var holder = document.createElement("div");
    holder.innerHTML = "<svg></svg>";
    return holder.firstChild.namespaceURI;
  })();
  var sourceNames = { d: "diode", j: "j", n: "none" };
  function svgElement(name, attributes, text) {
    var made = document.createElementNS(svgSpace, name);
    Object.keys(attributes).forEach(function (key) { made.setAttribute(key, attributes[key]); });
    if (text !== undefined) { made.textContent = String(text); }
    return made;
  }

  function drawIcMap(section, index) {
    var ic = explainedIc(boardData(section), index);
    var drawn = ic.testerPins.length;
    var columns = Math.min(Math.max(drawn, 1), 16), lines = Math.max(Math.ceil(drawn / 16), 1);
    var width = columns * 50 - 4, height = lines * 38 - 4;
    var figure = element("figure", null, "ic");
    figure.id = section.id + "-ic-" + (index + 1);
    figure.setAttribute("data-ic", ic.name);
    var caption = element("figcaption");
    caption.appendChild(element("b", ic.name));
    caption.appendChild(document.createTextNode(" LC " + ic.lc + " · " + ic.pinCount + " pins, ICP " +
      ic.firstIcp + "–" + (ic.firstIcp + ic.pinCount - 1) + " · " +
      (ic.pinsFromDiodeSteps + ic.pinsFromJSteps) + " resolved (" + ic.pinsFromDiodeSteps +
      " from diode steps, " + ic.pinsFromJSteps + " from J steps), " + ic.unresolvedCount +
      " unresolved"));
    figure.appendChild(caption);
    var svg = svgElement("svg", { "class": "pins", width: width, height: height,
      viewBox: "0 0 " + width + " " + height, role: "group", "aria-label": "Pin map of " + ic.name });
    for (var pin = 1; pin <= drawn; pin++) {
      var explained = ic.explained[pin - 1] || { agreement: "", steps: [] };
      var given = givenBy(explained);
      var testerPin = ic.testerPins[pin - 1];
      var cell = svgElement("g", { "class": "pin", "data-ic": ic.name, "data-pin": pin,
        "data-tester-pin": testerPin, "data-source": sourceNames[ic.sources.charAt(pin - 1)],
        "data-agreement": explained.agreement,
        transform: "translate(" + ((pin - 1) % 16) * 50 + " " + Math.floor((pin - 1) / 16) * 38 + ")" });
      cell.appendChild(svgElement("title", {}, ic.name + " pin " + pin + " (ICP " +
        (ic.firstIcp + pin - 1) + "): tester pin " + testerPin +
        (ic.steps[pin - 1] === 0 || !given ? ", from no step" :
          " from " + (given[2] === "j" ? "J" : "diode") + " step " + given[0] + " " + given[3]) +
        (explained.agreement === "agree" ? "; its diode and J steps agree" :
          explained.agreement === "conflict" ? "; its diode and J steps give different tester pins" : "")));
      cell.appendChild(svgElement("rect", { width: 46, height: 34, rx: 3 }));
      cell.appendChild(svgElement("text", { "class": "p", x: 3, y: 10 }, pin));
      if (explained.agreement !== "") {
        cell.appendChild(svgElement("text", { "class": "a", x: 43, y: 10 },
          explained.agreement === "agree" ? "D=J" : "D≠J"));
      }
      cell.appendChild(svgElement("text", { "class": "t", x: 23, y: 27 }, testerPin));
      svg.appendChild(cell);
    }
    figure.appendChild(svg);
    if (ic.pinsNotDrawn > 0) {
      figure.appendChild(element("p", "Pins " + (drawn + 1) + " to " + ic.pinCount + " (" +
        ic.pinsNotDrawn + " pins) are not drawn: a map shows the first " + drawn +
        " pins of an IC. The .icp has a line for every pin.", "note"));
    }
    var maps = document.getElementById(section.id + "-maps");
    maps.insertBefore(figure, maps.firstChild);
    wireFigure(figure);
    return figure;
  }

  function icMap(section, index) {
    return document.getElementById(section.id + "-ic-" + (index + 1)) || drawIcMap(section, index);
  }

  // "ICs named" also draws the maps of ICs that the page did not draw: the one so named, or
  // each of at most kMostDrawnOnRequest whose names hold the text.
  var kMostDrawnOnRequest = 20;
  function drawIcsNamed(section, text, status) {
    var ics = boardData(section).ics, found = [];
    for (var index = 0; index < ics.length; index++) {
      var name = ics[index].name.toLowerCase();
      if (name === text) {
        found = [index];
        break;
      }
      if (name.indexOf(text) >= 0) { found.push(index); }
    }
    if (found.length <= kMostDrawnOnRequest) {
      found.forEach(function (index) { icMap(section, index).hidden = false; });
    }
    status.textContent = found.length === 0 ? "No IC is so named." :
      found.length + (found.length === 1 ? " IC" : " ICs") + " so named" +
      (found.length > kMostDrawnOnRequest ? "; type more of a name to draw their maps." : ".");
  }

  // Links into a board: #ic=NAME draws and shows an IC's map, #step=N a step's row; #b2-ic=NAME
  // and #b2-step=N look in the second board only, #b2-r64 is the row of the record at offset 64.
  function followHash() {
    var hash;
    try { hash = decodeURIComponent(location.hash.slice(1)); } catch (error) { return; }
    var link = /^(?:(b\d+)-)?(ic|step)=(.+)$/.exec(hash) || /^(b\d+)-(r)(\d+)$/.exec(hash);
    if (!link) { return; }
    var sections = link[1] ? [document.getElementById(link[1])] :
      Array.prototype.slice.call(document.querySelectorAll("section.board"));
    for (var at = 0; at < sections.length; at++) {
      var section = sections[at], board = section ? boardData(section) : null;
      if (!board || !board.ics) { continue; }
      var shown = null;
      if (link[2] === "ic") {
        for (var index = 0; index < board.ics.length && !shown; index++) {
          if (board.ics[index].name === link[3]) { shown = icMap(section, index); }
        }
      } else if (stepsTables[section.id]) {
        var offset = Number(link[3]);
        if (link[2] === "step") {
          offset = NaN;
          board.steps.rows.some(function (row) {
            if (row[1] === Number(link[3])) { offset = row[0]; }
            return !isNaN(offset);
          });
        }
        shown = isNaN(offset) ? null : stepsTables[section.id](offset);
      }
      if (shown) {
        shown.hidden = false;
        document.querySelectorAll(".target").forEach(function (old) { old.classList.remove("target"); });
        shown.classList.add("target");
        shown.tabIndex = -1;
        shown.scrollIntoView({ block: "center" });
        shown.focus({ preventScroll: true });
        return;
      }
    }
  }
  window.addEventListener("hashchange", followHash);

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

  document.documentElement.classList.add("scripted");
  followHash();
})();
