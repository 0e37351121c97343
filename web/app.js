// The page: reads its controls into the entries of a case, asks the engine
// (vyra-engine.js) and writes the answers into the page. Every figure,
// check, message and option rule is the engine's; this script only shows.
'use strict';
/* global VyraEngine -- the engine's factory, from vyra-engine.js, which the page loads first */
/* global VyraCaseAddress, VyraTables -- from case-address.js and tables.js, loaded before this */

(async () => {
    const form = document.getElementById('entries');
    // Select computes here or nowhere: the form never goes into the URL.
    form.addEventListener('submit', (event) => event.preventDefault());
    const notLoaded = (failure) => {
        document.getElementById('loading').textContent =
            `The engine could not be loaded, so this page cannot compute (${failure?.message ?? failure}).`;
    };
    let engine;
    try {
        engine = await VyraEngine();
    } catch (failure) {
        notLoaded(failure);
        return;
    }
    // Texts reach the engine through its heap, as UTF-8 bytes: its stack
    // is too small for the longest texts a page may hold.
    function ask(name, ...args) {
        const placed = args.map((arg) => (typeof arg === 'number' ? arg : place(arg)));
        try {
            return JSON.parse(engine.ccall(name, 'string', args.map(() => 'number'), placed));
        } finally {
            placed.forEach((at, k) => typeof args[k] !== 'number' && engine._free(at));
        }
    }
    function place(text) {
        const bytes = typeof text === 'string' ? new TextEncoder().encode(text) : text;
        const at = engine._malloc(bytes.length + 1);
        engine.HEAPU8.set(bytes, at);
        engine.HEAPU8[at + bytes.length] = 0;
        return at;
    }

    const message = document.getElementById('message');
    const results = document.getElementById('results');
    const announced = document.getElementById('announced');
    const confirmation = document.getElementById('confirmation');
    const angleNames = ['alpha', 'beta', 'gamma'];
    // Entries a case file held that the page has no control for (where the
    // tension or the roller weight came from), kept for saving.
    let kept = {};
    let fulcrum = 'right';
    let unit = 'kgf';
    // The entries as typed and their unit while only the unit has changed
    // since: each conversion starts from them, so that no rounding adds up
    // and their own unit gives them back as typed.
    let typedIn = null;
    let lastResult = null;
    // The empty case's file text: what a case in an address leaves out.
    let emptyCase;
    // What the desktop's line edits hold; a longer text never reaches the engine.
    const kTextLimit = 32767;

    class TextTooLong extends Error {}

    function entries() {
        const values = { ...kept };
        for (const control of form.elements) {
            if (control.name && (control.type !== 'radio' || control.checked)) {
                if (control.value.length > kTextLimit) {
                    throw new TextTooLong(control.name);
                }
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
        unit = values.unit;
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
        for (const field of shown.fields.filter((f) => f.range)) {
            document.querySelector(`#range-rows [name="${field.name}-low"] ~ .unit`).textContent = field.unit;
        }
        showRangesLine();
    }

    function takeBackMarks(names) {
        for (const name of names) {
            const field = form.querySelector(`input[name="${name}"]:not([type="radio"])`);
            field?.classList.remove('marked');
            field?.removeAttribute('aria-invalid');
            field?.setAttribute('aria-describedby', `u-${name}`);
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

    // The tables shown belong to the entries of the last Select, and to no
    // others: any later change marks them out of date until the next.
    function markStale() {
        lastResult = null;
        confirmation.textContent = '';
        document.getElementById('copy').disabled = true;
        for (const shown of [results, ...results.querySelectorAll('#result1, #result2')]) {
            shown.classList.add('stale');
        }
    }

    function markField(name) {
        const field = form.querySelector(`input[name="${name}"]`);
        field.classList.add('marked');
        field.setAttribute('aria-invalid', 'true');
        field.setAttribute('aria-describedby', `u-${name} message`);
        return field;
    }

    // The tables go where the engine computed nothing for the entries shown.
    function withdrawResult() {
        results.hidden = true;
        lastResult = null;
        document.getElementById('copy').disabled = true;
    }

    // A text too long for the engine, or the engine failing, as a message:
    // the page goes on, and a failing engine is said rather than hidden.
    function guarded(action) {
        return (...args) => {
            try {
                return action(...args);
            } catch (failure) {
                withdrawResult();
                if (!(failure instanceof TextTooLong)) {
                    showMessage(document.title, `The engine failed and computed nothing: ${failure?.message ?? failure}.\n`
                        + 'Reload the page if it fails again.');
                    return;
                }
                const field = form.elements[failure.message];
                const label = field.labels[0].textContent.replace(/\s+/g, ' ').trim();
                showMessage(document.title,
                    `${label}: the text is ${field.value.length} characters long.\nA text holds at most ${kTextLimit}.`);
                markField(failure.message);
            }
        };
    }

    function select() {
        const started = performance.now();
        takeBackMarks([...form.elements].map((c) => c.name).filter(Boolean));
        withdrawResult();
        confirmation.textContent = '';
        announced.textContent = '';
        const result = ask('vyra_select', JSON.stringify(entries()));
        if (result.status === 'broken') {
            showMessage(document.title, result.reason);
        } else if (result.status === 'rejected') {
            showMessage(result.title, result.message);
            result.marked.map(markField)[0]?.focus();
            if (result.fulcrumMarked) {
                form.querySelector('[name="fulcrum"]:checked').parentElement.classList.add('marked');
            }
        } else {
            hideMessage();
            VyraTables.showResult(result);
            lastResult = result;
            document.getElementById('copy').disabled = false;
            results.focus();
            announced.textContent = result.passingBoth;
            // The tables first: the sketch follows once they are shown.
            const drawn = JSON.stringify(entries());
            setTimeout(guarded(() => showSketch(ask('vyra_sketch', drawn).svg)));
        }
        results.dataset.milliseconds = (performance.now() - started).toFixed(1);
    }

    async function copyTables() {
        confirmation.textContent = await VyraTables.copied(VyraTables.csvOf(lastResult))
            ? 'Both tables are copied as CSV.' : 'The browser did not let the tables be copied.';
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

    // A case's entries into the form, in place of everything it showed.
    function showCase(values) {
        setEntries(values);
        typedIn = null;
        takeBackMarks([...form.elements].map((c) => c.name).filter(Boolean));
        hideMessage();
        withdrawResult();
        document.getElementById('conversion').hidden = true;
        refreshForm();
    }

    // The file's bytes as they are: the engine checks that they are UTF-8.
    function open(file, bytes) {
        const answer = ask('vyra_read_case', bytes, bytes.length);
        if (answer.status !== 'ok') {
            showMessage(document.title, `The case could not be opened.\n${file.name}: ${answer.reason}`);
            return;
        }
        showCase(answer.entries);
        keepCase();
    }

    function caseFragment() {
        const answer = ask('vyra_case_text', JSON.stringify(entries()));
        if (answer.status !== 'ok') {
            throw new Error(answer.reason);
        }
        return VyraCaseAddress.fragmentOf(answer.text, emptyCase);
    }

    function caseOfFragment(fragment) {
        const read = VyraCaseAddress.caseFileOf(fragment);
        return read.bytes ? ask('vyra_read_case', read.bytes, read.bytes.length) : { status: 'broken', ...read };
    }

    // The whole case of the fragment, or none of it: a fragment that holds
    // no case is said, and the form stays as it was.
    function openFragment(fragment) {
        const answer = caseOfFragment(fragment);
        if (answer.status !== 'ok') {
            showMessage(document.title, `The address holds no case this page can open: ${answer.reason}.`);
            return;
        }
        showCase(answer.entries);
        keepCase();
    }

    // A kept case the page cannot read (one kept by a later version) is let go.
    function openKept() {
        const answer = caseOfFragment(VyraCaseAddress.kept());
        if (answer.status === 'ok') {
            showCase(answer.entries);
        }
    }

    // The address names the case shown, or none: any change takes the case out.
    function leaveAddress() {
        if (location.hash) {
            history.replaceState(null, '', location.href.replace(/#.*$/s, ''));
        }
    }

    // A text too long for a case is not kept: the case kept before stays.
    function keepCase() {
        try {
            VyraCaseAddress.keep(caseFragment());
        } catch (failure) {
            if (!(failure instanceof TextTooLong)) {
                throw failure;
            }
        }
    }

    function share() {
        history.replaceState(null, '', `#${caseFragment()}`);
        keepCase();
        confirmation.textContent = `The page's address holds this case now (${location.href.length} characters): `
            + 'copy it from the address bar to share the case.';
    }

    function todayText() {
        const today = new Date();
        return ask('vyra_date', today.getFullYear(), today.getMonth() + 1, today.getDate()).text;
    }

    function startNew() {
        VyraCaseAddress.forget();
        leaveAddress();
        const empty = new TextEncoder().encode(emptyCase);
        showCase(ask('vyra_read_case', empty, empty.length).entries);
        form.elements.date.value = todayText();
        confirmation.textContent = '';
        announced.textContent = '';
    }

    // A new unit turns the typed measures into the same measures in it,
    // and the line under the form says so; a unit that cannot hold one of
    // them is refused, and the old one stays.
    function changeUnit(word) {
        typedIn ??= { ...entries(), unit };
        const changed = ask('vyra_unit', JSON.stringify(typedIn), word);
        const said = document.getElementById('conversion');
        if (changed.status !== 'ok') {
            form.querySelector(`[name="unit"][value="${unit}"]`).checked = true;
            showMessage(document.title, `The unit stays ${unit}.\n${changed.reason}`);
            return;
        }
        setEntries({ ...kept, ...changed.entries });
        said.textContent = word === typedIn.unit ? `The entries as typed, in ${word}.` : changed.sentence;
        said.hidden = said.textContent === '';
        refreshForm();
    }

    // The sketch as "Image chgange" draws it; a refused case keeps the
    // sketch there was and says why, as the input screen does.
    function showSketch(svg) {
        document.getElementById('sketch').innerHTML = svg;
    }

    function imageChange() {
        const drawn = ask('vyra_sketch', JSON.stringify(entries()));
        if (drawn.status === 'ok') {
            showSketch(drawn.svg);
            return true;
        }
        showMessage(drawn.title ?? document.title, drawn.message ?? drawn.reason);
        drawn.marked?.map(markField)[0]?.focus();
        return false;
    }

    // The report's pages for the paper and the parts chosen, one SVG each;
    // the browser's print gives exactly these (the print style hides the rest).
    function showReport() {
        const request = {
            paper: document.getElementById('paper').value,
            charts: document.getElementById('charts').checked,
            calculation: document.getElementById('calculation').checked,
        };
        const drawn = ask('vyra_report', JSON.stringify(entries()), JSON.stringify(request));
        const view = document.getElementById('report-view');
        if (drawn.status !== 'ok') {
            view.hidden = true;
            showMessage(drawn.title ?? document.title, drawn.message ?? drawn.reason);
            return;
        }
        const report = document.getElementById('report');
        report.innerHTML = drawn.pages.join('');
        report.querySelectorAll('svg').forEach((page) => page.classList.add('page'));
        document.getElementById('page-size').textContent = `@page { size: ${request.paper}; margin: 6.35mm; }`;
        view.hidden = false;
        view.focus();
    }

    // Ranges: a low and a high end for each input that may carry one, kept
    // as the case file's "ranges"; the entries must hold them.
    function buildRangeRows(fields) {
        const rows = document.getElementById('range-rows');
        for (const field of fields.filter((f) => f.range)) {
            const row = document.createElement('div');
            row.className = 'field';
            row.innerHTML = `<span class="caption"></span>
                <input name="${field.name}-low" inputmode="decimal" aria-label="low">
                <input name="${field.name}-high" inputmode="decimal" aria-label="high"><span class="unit"></span>`;
            row.querySelector('.caption').textContent = field.caption;
            row.querySelector('.unit').textContent = field.unit;
            row.querySelectorAll('input').forEach((input) => {
                input.setAttribute('aria-label', `${field.caption.replace(/\s+/g, ' ')} ${input.getAttribute('aria-label')}`);
            });
            rows.append(row);
        }
    }

    function typedRanges(dialog) {
        const ranges = {};
        for (const row of dialog.querySelectorAll('#range-rows .field')) {
            const [low, high] = [...row.querySelectorAll('input')];
            if (low.value.trim() || high.value.trim()) {
                ranges[low.name.replace(/-low$/, '')] = { low: low.value.trim(), high: high.value.trim() };
            }
        }
        return ranges;
    }

    function openRanges() {
        const dialog = document.getElementById('ranges-dialog');
        for (const input of dialog.querySelectorAll('#range-rows input')) {
            const [, name, end] = input.name.match(/^(.*)-(low|high)$/);
            input.value = kept.ranges?.[name]?.[end] ?? '';
        }
        dialog.querySelector('.advice').textContent = '';
        dialog.showModal();
    }

    function keepRanges() {
        const dialog = document.getElementById('ranges-dialog');
        const ranges = typedRanges(dialog);
        const checked = ask('vyra_ranges', JSON.stringify({ ...entries(), ranges }));
        if (checked.status !== 'ok') {
            dialog.querySelector('.advice').textContent = `The ranges were not kept: ${checked.reason}.`;
            return;
        }
        kept.ranges = ranges;
        if (Object.keys(ranges).length === 0) {
            delete kept.ranges;
        }
        showRangesLine();
        markStale();
        leaveAddress();
        keepCase();
        dialog.close();
    }

    function showRangesLine() {
        const checked = kept.ranges ? ask('vyra_ranges', JSON.stringify(entries())) : { status: 'ok', line: '' };
        document.getElementById('ranges-line').textContent = checked.status === 'ok' ? checked.line
            : `The ranges are not evaluated: ${checked.reason}.`;
    }

    // The charts page (and its continuation) of the entries with their
    // ranges, the remedies and the test weight's readings.
    function showCharts() {
        const request = { calibrationWeight: document.getElementById('calibration-weight').value };
        const drawn = ask('vyra_charts', JSON.stringify(entries()), JSON.stringify(request));
        const view = document.getElementById('charts-view');
        if (drawn.status !== 'ok') {
            view.hidden = true;
            showMessage(drawn.title ?? document.title, drawn.message ?? drawn.reason);
            return;
        }
        view.querySelector('[data-unit]').textContent = drawn.units.mass;
        document.getElementById('charts-note').textContent = [drawn.rangesRefusal, drawn.calibrationRefusal]
            .filter(Boolean).map((reason) => `${reason[0].toUpperCase()}${reason.slice(1)}.`).join(' ');
        for (const [id, lines] of [['range-lines', drawn.rangeLines], ['remedies', drawn.remedies]]) {
            document.getElementById(id).replaceChildren(...lines.map((line) => {
                const item = document.createElement('li');
                item.textContent = line;
                return item;
            }));
        }
        document.getElementById('charts-pages').innerHTML = drawn.pages.join('');
        document.querySelectorAll('#charts-pages svg').forEach((page) => page.classList.add('page'));
        view.hidden = false;
        view.focus();
    }

    // The two helpers: each opens on the case's record of it, shows what
    // the engine works out, and "Use" puts its values and record into the
    // entries, as the desktop's helpers do.
    const helpers = {
        tension: { dialog: 'tension-dialog', opened: 'vyra_tension_form', run: 'vyra_tension', choice: 'material' },
        roller: { dialog: 'roller-dialog', opened: 'vyra_roller_form', run: 'vyra_roller', choice: 'roller-material' },
    };

    // The roller's "other" is a density and a modulus of its own instead
    // of a named material.
    function helperRequest(dialog) {
        const request = {};
        for (const control of dialog.querySelector('form').elements) {
            if (control.name) {
                request[control.name] = control.value.trim();
            }
        }
        if (request['roller-material'] === 'other') {
            request['roller-material'] = '';
        } else if ('roller-material' in request) {
            request.density = '';
            request.modulus = '';
        }
        return request;
    }

    function openHelper(helper) {
        const dialog = document.getElementById(helper.dialog);
        const opened = ask(helper.opened, JSON.stringify(entries()));
        const choice = dialog.querySelector(`select[name="${helper.choice}"]`);
        choice.replaceChildren(...opened.materials.map((name) => new Option(name)));
        for (const [name, value] of Object.entries(opened.fields)) {
            const control = dialog.querySelector(`[name="${name}"]`);
            if (control) {
                control.value = value;
            }
        }
        if (helper === helpers.roller && opened.fields['roller-material'] === '' && opened.fields.density !== '') {
            choice.value = 'other';
        }
        if (!choice.value) {
            choice.selectedIndex = 0;
        }
        for (const unitLabel of dialog.querySelectorAll('[data-unit]')) {
            unitLabel.textContent = opened.units[unitLabel.dataset.unit];
        }
        dialog.querySelector('.advice').textContent = '';
        document.querySelectorAll('dialog .use').forEach((button) => button.removeAttribute('id'));
        dialog.querySelector('.use').id = 'use';
        dialog.showModal();
    }

    // "Show", or "Use" (also Enter in a field): a refusal stays in the helper.
    function runHelper(helper, use) {
        const dialog = document.getElementById(helper.dialog);
        const answer = ask(helper.run, JSON.stringify(entries()), JSON.stringify(helperRequest(dialog)));
        dialog.querySelector('.advice').textContent = answer.status === 'ok' ? answer.text : answer.reason;
        if (use && answer.status === 'ok') {
            setEntries(answer.entries);
            typedIn = null;
            markStale();
            leaveAddress();
            keepCase();
            dialog.close();
        }
    }

    try {
        const fields = ask('vyra_form', '{}').fields;
        buildFields(fields);
        buildRangeRows(fields);
        emptyCase = ask('vyra_case_text', '{}').text;
        form.elements.date.value = todayText();
        refreshForm();
        showSketch(ask('vyra_starting_sketch').svg);
    } catch (failure) {
        notLoaded(failure);
        return;
    }

    form.addEventListener('change', guarded((event) => {
        const control = event.target;
        markStale();
        if (control.name === 'fulcrum') {
            takeBackMarks(angleNames);
            const changed = ask('vyra_fulcrum', JSON.stringify({ ...entries(), fulcrum }), control.value);
            setEntries({ ...kept, ...changed.entries });
        }
        if (control.name === 'unit') {
            changeUnit(control.value);
        }
        if (control.name === 'sensors') {
            refreshForm();
        }
        leaveAddress();
        keepCase();
    }));
    form.addEventListener('input', (event) => {
        const name = event.target.name;
        markStale();
        if (name !== 'unit') {
            typedIn = null;
        }
        // A value typed over a helper's is no longer the helper's.
        delete kept[{ tension: 'tension-from', 'roller-weight': 'roller-from' }[name]];
        takeBackMarks(angleNames.includes(name) ? angleNames : [name]);
        leaveAddress();
        keepCase();
    });
    form.addEventListener('submit', guarded(select));
    document.getElementById('image-change').addEventListener('click', guarded(imageChange));
    document.getElementById('report-button').addEventListener('click', guarded(showReport));
    document.getElementById('charts-button').addEventListener('click', guarded(showCharts));
    document.getElementById('calculate').addEventListener('click', guarded(showCharts));
    document.getElementById('charts-close').addEventListener('click', () => {
        document.getElementById('charts-view').hidden = true;
    });
    document.getElementById('ranges').addEventListener('click', guarded(openRanges));
    const rangesDialog = document.getElementById('ranges-dialog');
    rangesDialog.querySelector('.clear').addEventListener('click', () => {
        rangesDialog.querySelectorAll('#range-rows input').forEach((input) => { input.value = ''; });
    });
    rangesDialog.querySelector('form').addEventListener('submit', (event) => {
        if (event.submitter?.value !== 'cancel') {
            event.preventDefault();
            guarded(keepRanges)();
        }
    });
    for (const id of ['paper', 'charts', 'calculation']) {
        document.getElementById(id).addEventListener('change', guarded(showReport));
    }
    document.getElementById('print').addEventListener('click', () => window.print());
    document.getElementById('report-close').addEventListener('click', () => {
        document.getElementById('report-view').hidden = true;
    });
    for (const [name, helper] of Object.entries(helpers)) {
        const dialog = document.getElementById(helper.dialog);
        document.getElementById(`${name}-helper`).addEventListener('click', guarded(() => openHelper(helper)));
        dialog.querySelector('.show').addEventListener('click', guarded(() => runHelper(helper, false)));
        // "Use" is the form's first submit button, so that Enter in a field is "Use" too.
        dialog.querySelector('form').addEventListener('submit', (event) => {
            if (event.submitter?.value !== 'cancel') {
                event.preventDefault();
                guarded(() => runHelper(helper, true))();
            }
        });
    }
    document.getElementById('save').addEventListener('click', guarded(save));
    document.getElementById('copy').addEventListener('click', copyTables);
    document.getElementById('share').addEventListener('click', guarded(share));
    document.getElementById('new').addEventListener('click', guarded(startNew));
    // An address pasted over this one in the same tab.
    window.addEventListener('hashchange', guarded(() => openFragment(location.hash.slice(1))));
    // Enter on "Open case…" as on a button: not every browser opens a file
    // control's chooser on Enter.
    document.getElementById('open').addEventListener('keydown', (event) => {
        if (event.key === 'Enter') {
            event.preventDefault();
            event.target.showPicker();
        }
    });
    document.getElementById('open').addEventListener('change', async (event) => {
        const file = event.target.files[0];
        if (file) {
            const bytes = new Uint8Array(await file.arrayBuffer());
            event.target.value = '';
            guarded(open)(file, bytes);
        }
    });
    for (const control of form.querySelectorAll('input:not([type="radio"]):not([type="file"])')) {
        control.maxLength = kTextLimit;
    }
    form.querySelectorAll('button, #open').forEach((control) => { control.disabled = control.id === 'copy'; });
    if (location.hash) {
        guarded(openFragment)(location.hash.slice(1));
    } else if (VyraCaseAddress.kept()) {
        guarded(openKept)();
    }
    document.getElementById('loading').remove();
    document.body.dataset.ready = 'true';
})();
