// The page in Debian's chromium, headless: its size; the worked example in kgf and N,
// every cell against vyra-select's JSON through the screens' patterns, every Pass
// against its text; a refusal's title, text and marks; the fulcrum option; the tables
// copied as CSV; a case saved and opened again; out-of-date tables; units; failures;
// and the checks of page-address-access.mjs.
// Usage: node page-test.mjs PAGE_FOLDER VYRA_SELECT [--screenshot FILE.png]
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { strict as assert } from 'node:assert';
import { checkAddress, checkAxe, checkWithoutColour } from './page-address-access.mjs';

const [pageFolder, vyraSelect, option, screenshot] = process.argv.slice(2);
const page = resolve(pageFolder, 'index.html');
const casesFolder = new URL('../cases/', import.meta.url).pathname;
const puppeteer = await import('puppeteer-core').catch(() => null);
if (!puppeteer || !existsSync(page) || !existsSync('/usr/bin/chromium')) {
    console.log('skipped: needs scripts/web.sh, npm ci in tests/web and /usr/bin/chromium');
    process.exit(77);
}

const fieldNames = ['tension', 'diameter', 'roller-weight', 'alpha', 'beta', 'gamma', 'position', 'height',
    'bearing-weight', 'speed'];
const worked = Object.fromEntries(fieldNames.map((name, k) => [name, ['10', '100', '10', '0', '0', '0', '0', '0',
    '1', '100'][k]]));
const optionsOf = (entries) => Object.entries(entries).map(([name, value]) => `--${name}=${value}`);
function vyra(args) {
    try {
        return JSON.parse(execFileSync(vyraSelect, [...args, '--json'], { encoding: 'utf8' }));
    } catch (failure) {
        return JSON.parse(failure.stdout);  // a refusal exits with 1
    }
}

// The screens' patterns, worked out here from the held figures: key, the
// shown figure, decimals in kgf and in N (a force x 9.8 in N).
const held = (key, divisor = 1) => (m) => m[key] / divisor;
const force = (key) => (m, unit) => m[key] * (unit === 'N' ? 9.8 : 1);
const columns = {
    result1: [['P1', force('P1'), 1, 0], ['We', force('We'), 1, 0], ['P', force('P'), 1, 0], ['Zt', held('Zt'), 2, 2],
        ['Zr', held('Zr'), 2, 2], ['Zs', held('Zs'), 2, 2], ['Vt', held('Vt', 1000), 3, 3],
        ['Vr', held('Vr', 1000), 3, 3], ['S', held('S'), 1, 1]],
    result2: [['F1', held('F1'), 1, 1], ['F2', held('F2'), 1, 1], ['F3', held('F3'), 1, 1],
        ['F1F2', (m) => m.F1 / m.F2, 2, 2], ['F1F3', (m) => m.F1 / m.F3, 2, 2], ['E', held('E'), 2, 2],
        ['PB', force('PB'), 2, 1]],
    speeds: [['maxSpeed', held('maxSpeed'), 1, 1]],
};

async function fill(tab, entries) {
    for (const [name, value] of Object.entries(entries)) {
        const radio = await tab.$(`input[type="radio"][name="${name}"][value=${JSON.stringify(value)}]`);
        if (radio) {
            await radio.click();
            continue;
        }
        await tab.$eval(`input[name="${name}"]`, (input) => { input.value = ''; });
        await tab.type(`input[name="${name}"]`, value);
    }
}

// Each model's "yes" or "no" under Pass in vyra-select's text tables, and the tolerances.
function textVerdicts(args) {
    const text = execFileSync(vyraSelect, args, { encoding: 'utf8' });
    const verdicts = text.split('\n').filter((line) => /^\d .* (yes|no)$/.test(line)).map((line) => line.split(' ').pop());
    const tolerances = text.match(/^Tolerance[^*]*(?= \* marks)/gm);
    return { result1: verdicts.slice(0, 9), result2: verdicts.slice(9), speeds: [], tolerances };
}

async function checkSelection(tab, entries, unit) {
    await fill(tab, { unit, ...entries });
    await tab.focus('#select');
    await tab.keyboard.press('Enter');
    await tab.waitForSelector('#results:not([hidden])');
    const expected = vyra([...optionsOf(entries), `--unit=${unit}`]);
    const verdicts = textVerdicts([...optionsOf(entries), `--unit=${unit}`]);
    assert.deepEqual(await tab.$$eval('.tolerance', (ps) => ps.map((p) => p.textContent)), verdicts.tolerances);
    const rows = await tab.$$eval('table tr[data-model]', (trs) => trs.map((tr) => [tr.closest('table').id,
        tr.dataset.model, tr.classList.contains('pass'),
        [...tr.querySelectorAll('td')].map((td) => [td.dataset.key, td.textContent, td.classList.contains('fail')])]));
    assert.equal(rows.length, 27, 'nine models in each of three tables');
    for (const [table, name, pass, cells] of rows) {
        const model = expected.models.find((m) => m.name === name);
        const fails = { ...model.fail1, ...model.fail2 };
        const verdict = verdicts[table].filter((v, k) => expected.models[k].name === name).map((v) => ['pass', v, false]);
        assert.deepEqual(cells, [...columns[table].map(([key, shown, kgf, newton]) => [key,
            shown(model, unit).toFixed(unit === 'N' ? newton : kgf), fails[key] === true]), ...verdict],
        `${unit} ${table} ${name}`);
        const within = { result1: model.withinTolerance1, result2: model.withinTolerance2, speeds: false }[table];
        assert.equal(pass, within, `${unit} ${table} ${name} framed`);
    }
    const both = expected.models.filter((m) => m.withinTolerance1 && m.withinTolerance2).map((m) => m.name);
    // None passing, the model whose nearest check is least far past its limit.
    const farness = (m) => m.nearest.margin ?? Infinity;
    const nearest = expected.models.reduce((a, m) => (farness(m) < farness(a) ? m : a));
    assert.ok((await tab.$eval('#passing-both', (p) => p.textContent)).startsWith(both.length > 0
        ? `Passing both result sets: ${both.join(', ')}`
        : `No model passes both result sets. Nearest: ${nearest.name}, `));
    assert.equal(await tab.$eval('#calculation-id', (p) => p.textContent), `Calculation ID: ${expected.calculationId}`);
    await tab.click('#copy');  // both tables as CSV, "*" after a figure out of tolerance
    const csv = (await tab.evaluate(() => navigator.clipboard.readText())).split('\r\n');
    assert.deepEqual(csv.filter((line) => /^\d /.test(line)).map((line) => line.split(',').slice(1)),
        rows.filter(([table]) => table !== 'speeds')
            .map(([, , , cells]) => cells.map(([, text, fail]) => text + (fail ? '*' : ''))));
    const took = await tab.$eval('#results', (r) => r.dataset.milliseconds);
    console.log(`${unit}: every cell as vyra-select's figures; the tables filled ${took} ms after Select`);
}

// Every typed text of the engine's table (tests/cases/typed_texts.txt) reads on the page as
// vyra-select reads it: the same figures, or the same refusal with the same fields marked,
// announced as invalid, the first focused, and the mark taken back by an edit.
async function checkTypedTexts(tab) {
    const unescape = (field) => Buffer.from(field.replace(/\\s/g, ' ').split(/(\\x[0-9A-F]{2})/).flatMap((part) =>
        part.startsWith('\\x') ? [parseInt(part.slice(2), 16)] : [...Buffer.from(part)])).toString();
    const rows = readFileSync(resolve(casesFolder, 'typed_texts.txt'), 'utf8').split('\n')
        .filter((line) => line.trim() && !line.startsWith('#')).map((line) => line.split(' | '));
    assert.ok(rows.length > 10, 'the table of typed texts');
    for (const [name, item, text] of rows) {
        const entries = { unit: 'kgf', ...worked, [fieldNames[item]]: unescape(text.trim()) };
        await fill(tab, entries);
        await tab.click('#select');
        await tab.waitForFunction(() => !document.querySelector('#message').hidden
            || !document.querySelector('#results').hidden && !document.querySelector('#result1.stale'));
        const expected = vyra(optionsOf(entries));
        const shown = await tab.$eval('#message', (m) => m.hidden ? null : [m.dataset.title, m.querySelector('.text').innerText]);
        const marks = () => tab.$$eval('input.marked', (inputs) => inputs.map((i) => [i.name, i.ariaInvalid,
            i.getAttribute('aria-describedby'), i === document.activeElement]));
        const marked = await marks();
        if (expected.status === 'ok') {
            assert.deepEqual([shown, marked], [null, []], name);
            const p1 = await tab.$eval('#result1 tr[data-model] td[data-key="P1"]', (td) => td.textContent);
            assert.equal(p1, expected.models[0].P1.toFixed(1), name);
        } else {
            assert.deepEqual(shown, [expected.title, expected.message.replace(/\r/g, '\n')], name);
            assert.deepEqual(marked, expected.marked.map((k, n) => [fieldNames[k], 'true',
                `u-${fieldNames[k]} message`, n === 0]), name);
            await tab.keyboard.type('1');  // an edit takes the mark back
            assert.deepEqual(await marks(), [], name);
        }
    }
    console.log(`${rows.length} typed texts: the same figures or the same refusal as vyra-select`);
}

// Any change after Select puts the tables out of date; their headings are vyra-select's.
async function checkStale(tab) {
    const stale = () => tab.$$eval('#result1, #result2, #copy', (e) => e.map((x) => x.hidden || x.matches('.stale, :disabled')));
    const entries = { ...worked, type: 'safe', sensors: 'one', side: 'independent' };
    await fill(tab, { unit: 'kgf', ...entries });
    await tab.click('#select');
    assert.deepEqual(await tab.$$eval('#results h2', (titles) => titles.slice(0, 2).map((h) => h.textContent)),
        execFileSync(vyraSelect, optionsOf(entries), { encoding: 'utf8' }).match(/^Selection result .*$/gm));
    for (const change of [{ tension: '400' }, { unit: 'N' }, { type: 'standard' }, { type: 'safe', unit: 'kgf' }]) {
        await tab.click('#select');
        assert.deepEqual(await stale(), [false, false, false]);
        await fill(tab, change);
        assert.deepEqual(await stale(), [true, true, true], JSON.stringify(change));
    }
}

// A new unit converts the typed measures with the exact factors and says so.
async function checkUnitChange(tab) {
    const texts = () => tab.$$eval('#field-rows input', (inputs) => inputs.map((i) => i.value));
    await fill(tab, { unit: 'kgf', ...worked, gamma: '20', speed: '12abc' });
    const typed = await texts();
    await fill(tab, { unit: 'lbf' });
    const inLbf = [10 / 0.45359237, 100 / 25.4, 10 / 0.45359237, 0, 0, 20, 0, 0, 1 / 0.45359237].map(String);
    assert.deepEqual(await texts(), [...inLbf, '12abc']);
    assert.match(await tab.$eval('#conversion', (p) => p.textContent), /^Converted with the exact factors: FS 10 kgf = 22.046226218487757 lbf, d 100 mm = 3.937007874015748 in, .* Not one number, so left as typed: V "12abc".$/);
    for (const unit of ['N', 'kgf']) { await fill(tab, { unit }); }
    assert.deepEqual(await texts(), typed);
}

// Texts over 32,767 characters, an engine that fails or does not load: each is said.
async function checkFailures(tab, openPage) {
    assert.equal(await tab.$$eval('#entries input[maxlength="32767"]', (inputs) => inputs.length), 15);
    await fill(tab, worked);
    await tab.$eval('input[name="machine"]', (input) => { input.value = 'x'.repeat(1400000); });
    await tab.click('#select');
    assert.deepEqual(await tab.$eval('#message', (m) => [m.hidden, m.innerText, document.querySelector('#results').hidden]),
        [false, 'VyraSensorSelector\n\nMachine: the text is 1400000 characters long.\nA text holds at most 32767.', true]);
    const failing = await openPage(() => {  // every answer with a note; failing once told to
        let made;
        Object.defineProperty(window, 'VyraEngine', { set: (f) => { made = f; }, get: () => async () => {
            const engine = await made();
            const ccall = engine.ccall;
            return Object.assign(engine, { ccall: (...args) => { if (window.trap) { throw new WebAssembly.RuntimeError('memory access out of bounds'); }
                return JSON.stringify({ ...JSON.parse(ccall(...args)), notes: ['A standing line.'] }); } });
        } });
    });
    await failing.waitForSelector('body[data-ready]');
    await fill(failing, worked);
    await failing.click('#select');
    assert.deepEqual(await failing.$$eval('#notes:not([hidden]) li', (li) => li.map((n) => n.textContent)), ['A standing line.']);
    await failing.evaluate(() => { window.trap = true; });
    await failing.click('#select');
    assert.deepEqual(await failing.$eval('#message', (m) => [m.innerText.match(/The engine failed.*/)[0], document.querySelector('#results').hidden]),
        ['The engine failed and computed nothing: memory access out of bounds.', true]);
    const unloaded = await openPage(() => { delete window.WebAssembly; }, false);
    await unloaded.waitForFunction(() => /could not be loaded/.test(document.querySelector('#loading').textContent));
    await unloaded.type('input[name="customer"]', '\n');
    assert.deepEqual([await unloaded.$eval('#select', (b) => b.disabled), unloaded.url()], [true, `file://${page}`]);
}

async function checkFulcrum(tab) {
    const angles = () => tab.$$eval('input[name="alpha"], input[name="beta"], input[name="gamma"]',
        (inputs) => inputs.map((i) => i.value));
    await fill(tab, { alpha: '20', beta: '80', gamma: '12abc', fulcrum: 'left' });
    assert.deepEqual(await angles(), ['80', '20', '-12']);
    await fill(tab, { fulcrum: 'right' });
    assert.deepEqual(await angles(), ['20', '80', '12']);
}

async function checkSaveAndOpen(tab, browser, folder) {
    const session = await browser.target().createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    const entries = { ...worked, gamma: '20', speed: '250', unit: 'N', type: 'safe', customer: 'Northern, "Paper"' };
    await fill(tab, entries);
    await tab.click('#save');
    const savedName = () => readdirSync(folder).find((f) => f.endsWith('.vyracase'));
    for (const deadline = Date.now() + 10000; !savedName() && Date.now() < deadline;) {
        await new Promise((done) => setTimeout(done, 50));
    }
    const saved = join(folder, savedName());
    const { unit, type, customer, ...fields } = entries;
    assert.deepEqual(vyra(['--case', saved]).models,
        vyra([...optionsOf(fields), `--unit=${unit}`, `--type=${type}`]).models, 'the saved case computes as typed');
    await fill(tab, { ...worked, unit: 'kgf', type: 'standard', customer: 'someone else' });
    await (await tab.$('#open')).uploadFile(saved);
    await tab.waitForFunction(() => document.querySelector('input[name="speed"]').value === '250');
    const opened = await tab.$$eval('#entries input', (inputs) => Object.fromEntries(inputs
        .filter((i) => i.name && (i.type !== 'radio' || i.checked)).map((i) => [i.name, i.value])));
    assert.deepEqual(Object.fromEntries(Object.keys(entries).map((name) => [name, opened[name]])), entries);
}

// The helpers put in what vyra-select's helpers work out, keep their record
// (a reopened helper shows it), and a refusal stays in the helper.
async function checkHelpers(tab) {
    const cli = (args) => {
        try {
            return execFileSync(vyraSelect, args, { encoding: 'utf8', stdio: 'pipe' });
        } catch (failure) {
            return failure.stderr.split('\n')[0].replace('vyra-select: --', '');
        }
    };
    // The helpers' field names are the page's own: fill reaches them.
    await fill(tab, { ...worked, unit: 'N' });
    await tab.click('#tension-helper');
    await tab.select('#tension-dialog [name="material"]', 'PET');
    await tab.select('#tension-dialog [name="pick"]', 'high');
    await fill(tab, { width: '1000', thickness: 'x' });
    await tab.click('#use');
    assert.equal(await tab.$eval('#tension-dialog .advice', (p) => p.textContent),
        cli(['--advise-tension', '--material=PET', '--width=1000', '--thickness=x', '--unit=N']));
    await fill(tab, { thickness: '12' });
    await tab.click('#use');
    const advised = JSON.parse(cli(['--advise-tension', '--material=PET', '--width=1000', '--thickness=12', '--unit=N',
        '--json']));
    assert.deepEqual(await tab.$eval('input[name="tension"]', (i) => [i.value, document.querySelector('#tension-dialog').open]),
        [advised.tension.high.toFixed(2), false]);
    await tab.click('#tension-helper');
    assert.deepEqual(await tab.$$eval('#tension-dialog [name]', (c) => c.map((x) => x.value)),
        ['PET', '1000', '12', '', '', 'high']);
    await tab.click('#tension-dialog [value="cancel"]');
    await tab.click('#roller-helper');
    await fill(tab, { 'tube-od': '100', 'tube-id': '90', face: '1000' });
    await tab.keyboard.press('Enter');  // Enter in a field is "Use"
    const roller = JSON.parse(cli(['--roller-calc', '--tube-od=100', '--tube-id=90', '--face=1000', '--json']));
    assert.deepEqual(await tab.$$eval('input[name="diameter"], input[name="roller-weight"]', (i) => i.map((x) => x.value)),
        ['100', roller.weight.toFixed(2)]);
}

// The sketch is "Image chgange"'s, and the report view and what the browser
// prints of it hold the words of vyra-select --report's pages, page by page.
async function checkSketchAndReport(tab, folder) {
    const entries = { ...worked, alpha: '20', beta: '80', gamma: '20', position: '20' };
    const sketch = () => tab.$eval('#sketch', (figure) => figure.innerHTML);
    await tab.click('#new');
    const started = await sketch();
    await fill(tab, { unit: 'kgf', ...entries, alpha: '170', beta: '10' });
    await tab.click('#image-change');
    assert.deepEqual([await sketch(), await tab.$eval('#message', (m) => m.hidden)], [started, false]);
    await fill(tab, { alpha: '20', beta: '80' });
    await tab.click('#image-change');
    assert.match(await sketch(), /^<svg[^]*<circle[^]*<\/svg>\s*$/);
    assert.notEqual(await sketch(), started);
    await tab.click('#select');
    await tab.click('#report-button');
    await tab.select('#paper', 'Letter');
    await tab.click('#calculation');
    const pdf = join(folder, 'report.pdf');
    const date = await tab.$eval('input[name="date"]', (input) => input.value);
    execFileSync(vyraSelect, [...optionsOf(entries), '--unit=kgf', `--date=${date}`, '--paper=letter', '--calculation',
        `--report=${pdf}`]);
    const words = (text) => text.split(/\s+/).filter(Boolean).sort();
    const pagesOf = (file) => execFileSync('pdftotext', ['-raw', file, '-'], { encoding: 'utf8' }).split('\f')
        .filter((page) => page.trim()).map(words);
    const expected = pagesOf(pdf);
    const shown = await tab.$$eval('#report svg.page', (pages) => pages.map((page) => [...page.querySelectorAll('text')]
        .map((text) => text.textContent).join(' ')));
    assert.deepEqual(shown.map(words), expected);
    const printed = join(folder, 'printed.pdf');
    await tab.pdf({ path: printed, preferCSSPageSize: true });
    assert.deepEqual(pagesOf(printed), expected, 'one sheet a page, nothing else');
    assert.match(execFileSync('pdfinfo', [printed], { encoding: 'utf8' }), /Page size: +612 x 792 pts/);
}

// Ranges entered on the page are refused or kept as vyra-select refuses or
// evaluates them; the charts carry the verdicts, the remedies and the
// test weight, page by page.
async function checkChartsAndRanges(tab) {
    const entries = { ...worked, alpha: '20', beta: '80', gamma: '20', position: '20' };
    const cli = (args) => spawnSync(vyraSelect, [...optionsOf(entries), ...args], { encoding: 'utf8' });
    const setRanges = async (ranges) => {
        await tab.click('#ranges');
        await tab.click('#ranges-dialog .clear');
        await fill(tab, ranges);
        await tab.click('#ranges-dialog .use');
    };
    await tab.click('#new');
    await fill(tab, entries);
    await setRanges({ 'gamma-low': '25', 'gamma-high': '30' });
    assert.equal(await tab.$eval('#ranges-dialog .advice', (p) => p.textContent),
        `The ranges were not kept: ${cli(['--range=gamma=25:30']).stderr.trim().replace('vyra-select: --range: ', '')}.`);
    await tab.click('#ranges-dialog [value="cancel"]');
    await setRanges({ 'gamma-low': '10', 'gamma-high': '30', 'height-low': '-20', 'height-high': '20' });
    assert.equal(await tab.$eval('#ranges-line', (p) => p.textContent), 'Ranges: gamma 10 to 30 [degree], height -20 to 20 [mm]');
    await tab.click('#select');
    await tab.click('#charts-button');
    const printed = cli(['--range=gamma=10:30', '--range=height=-20:20', '--remedies']).stdout;
    const lines = async (id) => tab.$$eval(`#${id} li`, (items) => items.map((item) => item.textContent));
    assert.deepEqual(await lines('range-lines'),
        printed.match(/^Over the ranges[^]*?(?=\n\n)/m)[0].split('\n').map((line) => line.trim()));
    assert.deepEqual(await lines('remedies'), printed.split('Remedies: one input changed, every other entry as given\n')[1]
        .trim().split('\n'));
    await tab.type('#calibration-weight', '5');
    await tab.click('#calculate');
    const charts = await tab.$$eval('#charts-pages svg.page', (pages) => pages.map((page) => page.textContent));
    assert.equal(charts.length, 2, 'the charts page and its continuation');
    assert.match(charts[0], /Calibration: a test weight of 5 kg/);
    assert.match(charts[1], /Over the ranges: 231 points/);
}

const folder = mkdtempSync(join(tmpdir(), 'vyra-page-'));
const browser = await puppeteer.default.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync',
        `--user-data-dir=${join(folder, 'profile')}`],
});
const errors = [];
async function openPage(prepare, watched = true, address = `file://${page}`) {
    const tab = await browser.newPage();
    tab.on('pageerror', (error) => watched && errors.push(error.message));
    await tab.evaluateOnNewDocument(prepare);
    await tab.setViewport({ width: 1000, height: 1500 });
    await tab.goto(address);
    return tab;
}
try {
    const context = browser.defaultBrowserContext();
    await context.overridePermissions('file://', ['clipboard-read', 'clipboard-sanitized-write']);
    const tab = await openPage(() => {});
    await tab.waitForSelector('body[data-ready]', { timeout: 10000 });
    if (option === '--screenshot') {
        await fill(tab, { ...worked, customer: 'Northern Paper', machine: 'PM 3' });
        await tab.click('#select');
        await tab.waitForSelector('#results:not([hidden])');
        await tab.screenshot({ path: screenshot, fullPage: true });
    } else {
        const bytes = readdirSync(pageFolder).reduce((sum, name) => sum + statSync(join(pageFolder, name)).size, 0);
        console.log(`page and engine: ${bytes} bytes`);
        assert.ok(bytes <= 900000, 'at most 900 KB');
        await checkSelection(tab, worked, 'kgf');
        // Not failed on its bound: on a loaded machine it took 86 ms, otherwise 20 to 35.
        const first = Number(await tab.$eval('#results', (r) => r.dataset.milliseconds));
        console.log(`the first Select: ${first} ms, ${first <= 50 ? 'within' : 'OVER'} the bound of 50 ms`);
        await checkSelection(tab, { ...worked, speed: '1500' }, 'N');
        await checkFulcrum(tab);
        await checkSaveAndOpen(tab, browser, folder);
        await checkTypedTexts(tab);
        await checkStale(tab);
        await checkUnitChange(tab);
        await checkHelpers(tab);
        await checkSketchAndReport(tab, folder);
        await checkChartsAndRanges(tab);
        const helpers = { fill, worked, openPage, page };
        await checkWithoutColour(tab, helpers);
        await checkAxe(tab, helpers);
        await checkAddress(tab, helpers);
        // A tab left behind others stops answering puppeteer's clicks here.
        await tab.bringToFront();
        await checkFailures(tab, openPage);
    }
    assert.deepEqual(errors, [], 'no script errors');
} finally {
    await browser.close();
    rmSync(folder, { recursive: true, force: true });
}
