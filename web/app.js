// The page: reads its controls into the entries of a case, asks the engine
// (vyra-engine.js) and writes the answers into the page. Every figure,
// check, message and option rule is the engine's; this script only shows.
'use strict';

(async () => {
    const engine = await VyraEngine();
    const ask = (name, ...args) =>
        JSON.parse(engine.ccall(name, 'string', args.map((a) => typeof a), args));

    const form = document.getElementById('entries');
    const message = document.getElementById('message');
    const results = document.getElementById('results');
    const angleNames = ['alpha', 'beta', 'gamma'];
    // Entries a case file held that the page has no control for (where the
    // tension or the roller weight came from), kept for saving.
    let kept = {};
    let fulcrum = 'right';
    let lastResult = null;

    function entries() {
        const values = { ...kept };
        for (const control of form.elements) {
            if (control.name && (control.type !== 'radio' || control.checked)) {
                values[control.name] = control.value;
            }
        }
        return values;
    }

    function setEntries(values) {
        kept = {};
        for (const [name, value] of Object.entries(values)) {
            const controls = form.querySelectorAll(`[name="${name}"]`);
            if (controls.length === 0) {
                kept[name] = value;
            }
            for (const control of controls) {
                if (control.type === 'radio') {
                    control.checked = control.value === value;
                } else {
                    control.value = value;
                }
            }
        }
        fulcrum = values.fulcrum;
    }

    function buildFields(fields) {
        const rows = document.getElementById('field-rows');
        for (const field of fields) {
            const row = document.createElement('div');
            row.className = 'field';
            row.innerHTML = `<label for="f-${field.name}"></label><input id="f-${field.name}" name="${field.name}"
                inputmode="decimal" spellcheck="false"><span class="unit" id="u-${field.name}"></span>`;
            row.querySelector('input').setAttribute('aria-describedby', `u-${field.name}`);
            rows.append(row);
        }
    }

    // Captions and unit labels in the case's unit, the one-sensor options'
    // state: as the input screen shows them.
    function refreshForm() {
        const shown = ask('vyra_form', JSON.stringify(entries()));
        for (const field of shown.fields) {
            document.querySelector(`label[for="f-${field.name}"]`).textContent = field.caption;
            document.getElementById(`u-${field.name}`).textContent = field.unit;
        }
        for (const name of ['side', 'channel']) {
            for (const option of form.querySelectorAll(`[name="${name}"]`)) {
                option.disabled = !shown.oneSensorOptions;
            }
        }
    }

    function takeBackMarks(names) {
        for (const name of names) {
            const field = form.querySelector(`input[name="${name}"]:not([type="radio"])`);
            field?.classList.remove('marked');
            field?.removeAttribute('aria-invalid');
        }
        if (names.includes('gamma')) {
            form.querySelectorAll('[name="fulcrum"]').forEach((o) => o.parentElement.classList.remove('marked'));
        }
    }

    function showMessage(title, text) {
        message.dataset.title = title;
        message.querySelector('.title').textContent = title;
        const lines = message.querySelector('.text');
        lines.replaceChildren();
        text.split(/\r\n?|\n/).forEach((line, k) => {
            if (k > 0) {
                lines.append(document.createElement('br'));
            }
            lines.append(line);
        });
        message.hidden = false;
    }

    function hideMessage() {
        message.hidden = true;
        delete message.dataset.title;
    }

    function fillTable(table, set) {
        const head = set.columns.map((c) => `<th scope="col">${c.symbol}<br>${c.unit}</th>`).join('');
        table.innerHTML = `<thead><tr><th scope="col">Model</th>${head}</tr></thead><tbody></tbody>`;
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
        results.hidden = false;
    }

    function select() {
        const started = performance.now();
        takeBackMarks([...form.elements].map((c) => c.name).filter(Boolean));
        const result = ask('vyra_select', JSON.stringify(entries()));
        lastResult = null;
        document.getElementById('copy').disabled = true;
        if (result.status === 'broken') {
            results.hidden = true;
            showMessage(document.title, result.reason);
        } else if (result.status === 'rejected') {
            results.hidden = true;
            showMessage(result.title, result.message);
            for (const name of result.marked) {
                const field = form.querySelector(`input[name="${name}"]`);
                field.classList.add('marked');
                field.setAttribute('aria-invalid', 'true');
            }
            if (result.fulcrumMarked) {
                form.querySelector('[name="fulcrum"]:checked').parentElement.classList.add('marked');
            }
        } else {
            hideMessage();
            showResult(result);
            lastResult = result;
            document.getElementById('copy').disabled = false;
        }
        results.dataset.milliseconds = (performance.now() - started).toFixed(1);
    }

    function csvOf(result) {
        const quoted = (text) => (/[",\n]/.test(text) ? `"${text.replace(/"/g, '""')}"` : text);
        const lines = [];
        for (const [title, set] of [['Selection result 1', result.result1], ['Selection result 2', result.result2]]) {
            lines.push(quoted(title));
            lines.push(['Model', ...set.columns.map((c) => `${c.symbol} ${c.unit}`.trim())].map(quoted).join(','));
            for (const row of set.rows) {
                lines.push([row.label, ...row.cells.map((c) => c.text + (c.fail ? '*' : ''))].map(quoted).join(','));
            }
        }
        lines.push(quoted(result.passingBoth));
        return lines.join('\r\n') + '\r\n';
    }

    async function copyTables() {
        const text = csvOf(lastResult);
        try {
            await navigator.clipboard.writeText(text);
        } catch {
            const area = Object.assign(document.createElement('textarea'), { value: text });
            document.body.append(area);
            area.select();
            document.execCommand('copy');
            area.remove();
        }
    }

    function save() {
        const answer = ask('vyra_case_text', JSON.stringify(entries()));
        if (answer.status !== 'ok') {
            showMessage(document.title, `The case could not be saved.\n${answer.reason}`);
            return;
        }
        const values = entries();
        const stem = [values.customer, values.order].filter(Boolean).join(' ') || 'case';
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([answer.text], { type: 'application/json' }));
        link.download = `${stem.replace(/[\\/:*?"<>|]/g, '_')}.vyracase`;
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }

    // The file's bytes as they are: the engine checks that they are UTF-8.
    async function readCase(file) {
        const bytes = new Uint8Array(await file.arrayBuffer());
        const at = engine._malloc(bytes.length + 1);
        engine.HEAPU8.set(bytes, at);
        try {
            return JSON.parse(engine.ccall('vyra_read_case', 'string', ['number', 'number'], [at, bytes.length]));
        } finally {
            engine._free(at);
        }
    }

    async function open(file) {
        const answer = await readCase(file);
        if (answer.status !== 'ok') {
            showMessage(document.title, `The case could not be opened.\n${file.name}: ${answer.reason}`);
            return;
        }
        setEntries(answer.entries);
        takeBackMarks([...form.elements].map((c) => c.name).filter(Boolean));
        hideMessage();
        results.hidden = true;
        refreshForm();
    }

    buildFields(ask('vyra_form', '{}').fields);
    const today = new Date();
    form.elements.date.value = ask('vyra_date', today.getFullYear(), today.getMonth() + 1, today.getDate()).text;
    refreshForm();

    form.addEventListener('change', (event) => {
        const control = event.target;
        if (control.name === 'fulcrum') {
            takeBackMarks(angleNames);
            const changed = ask('vyra_fulcrum', JSON.stringify({ ...entries(), fulcrum }), control.value);
            setEntries({ ...kept, ...changed.entries });
        }
        if (control.name === 'unit' || control.name === 'sensors') {
            refreshForm();
        }
    });
    form.addEventListener('input', (event) => {
        const name = event.target.name;
        // A value typed over a helper's is no longer the helper's.
        delete kept[{ tension: 'tension-from', 'roller-weight': 'roller-from' }[name]];
        takeBackMarks(angleNames.includes(name) ? angleNames : [name]);
    });
    form.addEventListener('submit', (event) => {
        event.preventDefault();
        select();
    });
    document.getElementById('save').addEventListener('click', save);
    document.getElementById('copy').addEventListener('click', copyTables);
    document.getElementById('open').addEventListener('change', (event) => {
        if (event.target.files.length > 0) {
            open(event.target.files[0]);
            event.target.value = '';
        }
    });
    document.getElementById('loading').remove();
    document.body.dataset.ready = 'true';
})();
