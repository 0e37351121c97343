// The results as tables, and as CSV for the clipboard: the engine's texts
// and verdicts as they are, with no figure of the page's own.
'use strict';

globalThis.VyraTables = (() => {
    function fillTable(table, set) {
        document.getElementById(table.dataset.heading).textContent = set.heading;
        document.getElementById(table.dataset.tolerance).textContent = `${set.tolerance}.`;
        const head = set.columns.map((c) => `<th scope="col">${c.symbol}<br>${c.unit}</th>`).join('');
        table.innerHTML = `<thead><tr><th scope="col">Model</th>${head}<th scope="col">Pass</th></tr></thead>`
            + '<tbody></tbody>';
        const body = table.tBodies[0];
        for (const row of set.rows) {
            const tr = body.insertRow();
            tr.dataset.model = row.model;
            tr.classList.toggle('pass', row.pass);
            tr.innerHTML = `<th scope="row"></th>`;
            tr.cells[0].textContent = row.label;
            for (const cell of row.cells) {
                const td = tr.insertCell();
                td.dataset.key = cell.key;
                td.textContent = cell.text;
                if (cell.fail) {
                    td.classList.add('fail');
                    td.setAttribute('aria-label', `${cell.text}, out of tolerance`);
                }
            }
            // The frame's verdict in words, for a reader who cannot tell the frame.
            Object.assign(tr.insertCell(), { textContent: row.pass ? 'yes' : 'no' }).dataset.key = 'pass';
        }
    }

    function showResult(result) {
        fillTable(document.getElementById('result1'), result.result1);
        fillTable(document.getElementById('result2'), result.result2);
        const speeds = document.getElementById('speeds');
        speeds.innerHTML = '<thead><tr><th scope="col">Model</th>'
            + `<th scope="col">maxSpeed<br>${result.maxSpeedUnit}</th></tr></thead><tbody></tbody>`;
        result.maxSpeed.forEach((speed, k) => {
            const tr = speeds.tBodies[0].insertRow();
            tr.dataset.model = speed.model;
            tr.innerHTML = '<th scope="row"></th><td data-key="maxSpeed"></td>';
            tr.cells[0].textContent = result.result1.rows[k].label;
            tr.cells[1].textContent = speed.text;
        });
        document.getElementById('passing-both').textContent = result.passingBoth;
        document.getElementById('calculation-id').textContent = `Calculation ID: ${result.calculationId}`;
        // Sentences the figures need beside them, such as a standing line's.
        const notes = document.getElementById('notes');
        notes.replaceChildren(...(result.notes ?? []).map((note) => Object.assign(document.createElement('li'),
            { textContent: note })));
        notes.hidden = notes.children.length === 0;
        const results = document.getElementById('results');
        for (const shown of [results, ...results.querySelectorAll('.stale')]) {
            shown.classList.remove('stale');
        }
        results.hidden = false;
    }

    function csvOf(result) {
        const quoted = (text) => (/[",\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text);
        const lines = [];
        for (const set of [result.result1, result.result2]) {
            lines.push(quoted(set.heading));
            lines.push(['Model', ...set.columns.map((c) => `${c.symbol} ${c.unit}`.trim()), 'Pass'].map(quoted).join(','));
            for (const row of set.rows) {
                lines.push([row.label, ...row.cells.map((c) => c.text + (c.fail ? '*' : '')), row.pass ? 'yes' : 'no']
                    .map(quoted).join(','));
            }
        }
        lines.push(quoted(result.passingBoth), ...(result.notes ?? []).map(quoted),
            quoted(`Calculation ID: ${result.calculationId}`));
        return lines.join('\r\n') + '\r\n';
    }

    // Whether the text reached the clipboard, by the older way where the
    // browser refuses the newer (a page from file:// in some browsers).
    async function copied(text) {
        try {
            await navigator.clipboard.writeText(text);
            return true;
        } catch {
            const area = Object.assign(document.createElement('textarea'), { value: text });
            document.body.append(area);
            area.select();
            const done = document.execCommand('copy');
            area.remove();
            return done;
        }
    }

    return { showResult, csvOf, copied };
})();
