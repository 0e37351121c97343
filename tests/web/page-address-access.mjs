// The case in the page's address and kept by the browser; the page read
// without colour, by keyboard and by screen reader. Run by page-test.mjs.
/* global window, document, getComputedStyle, HTMLInputElement -- in the functions handed to the page */
import { createRequire } from 'node:module';
import { strict as assert } from 'node:assert';

const formEntries = (tab) => tab.$$eval('#entries input', (inputs) => Object.fromEntries(inputs
    .filter((i) => i.name && (i.type !== 'radio' || i.checked)).map((i) => [i.name, i.value])));
// Texts a careless coding would change: UTF-8 of two to four bytes, quotes, "\", "&", "#", "%", "+".
const typical = { unit: 'N', type: 'safe', fulcrum: 'left', sensors: 'one', side: 'independent', channel: 'one',
    customer: 'Nordpapier Wärtsilä — 北方紙業 🧻', order: 'A-17/№ 5 "rush" \\ & #?%+', machine: 'PM 3',
    date: 'Dec 05,2026', name: 'Zoë Ødegård-Łukasiewicz' };
const choices = { unit: 'kgf', type: 'standard', fulcrum: 'right', sensors: 'two', side: 'one-side', channel: 'both' };
const isEmpty = (values) => /^[A-Z][a-z]{2} \d\d,\d{4}$/.test(values.date)
    && Object.entries(values).every(([name, text]) => name === 'date' || text === (choices[name] ?? ''));
async function ready(tab) {
    await tab.waitForSelector('body[data-ready]');
    return tab;
}

// Share puts the case into the address in the documented coding, which opens
// it whole in another tab; an edit takes it out of the address, a reload
// brings the kept case back, New forgets it; a broken address is said and
// leaves the form empty, not even the kept case in it.
export async function checkAddress(tab, { fill, worked, openPage, page }) {
    await fill(tab, { ...typical, ...worked });
    const shown = await formEntries(tab);
    await tab.click('#share');
    const address = tab.url();
    const fragment = new URL(address).hash;
    console.log(`the typical case in ${fragment.length} characters of the address`);
    assert.ok(fragment.length <= 2000);
    assert.deepEqual(JSON.parse(Buffer.from(fragment.slice('#case='.length), 'base64url').toString()),
        { version: 1, ...typical, ...worked });
    await tab.click('#new');
    assert.ok(isEmpty(await formEntries(tab)) && !tab.url().includes('#'), 'New clears the form and the address');
    const other = await ready(await openPage(() => {}, true, address));
    assert.deepEqual(await formEntries(other), shown);
    await other.type('input[name="customer"]', ' 2');
    const edited = await formEntries(other);
    assert.ok(!other.url().includes('#'));
    await other.reload();
    assert.deepEqual(await formEntries(await ready(other)), edited);
    const coded = (...parts) => `case=${Buffer.concat(parts.map((p) => Buffer.from(p))).toString('base64url')}`;
    for (const [broken, reason] of [['case=***', 'it is not "case=" and base64url'], [coded('[1]'), 'it holds no JSON object'],
        [coded('{"version":1,"customer":"X","unit":"furlong"}'), '"unit" must be kgf, N or lbf, not "furlong"'],
        [coded('{"version":1,"customer":"', [0xc3, 0x28], '"}'), 'it is not valid UTF-8']]) {
        const opened = await ready(await openPage(() => {}, true, `file://${page}#${broken}`));
        assert.deepEqual(await opened.$eval('#message .text', (p) => p.textContent),
            `The address holds no case this page can open: ${reason}.`);
        assert.ok(isEmpty(await formEntries(opened)), broken);
        await opened.close();
    }
    await other.click('#new');
    await other.reload();
    assert.ok(isEmpty(await formEntries(await ready(other))), 'nothing kept after New');
}

// WCAG's contrast ratio of two CSS rgb() colours.
function contrast(...colours) {
    const linear = (c) => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
    const [light, dark] = colours.map((css) => css.match(/\d+/g).slice(0, 3)
        .reduce((sum, c, k) => sum + linear(c / 255) * [0.2126, 0.7152, 0.0722][k], 0)).sort((a, b) => b - a);
    return (light + 0.05) / (dark + 0.05);
}

// After Select: the focus on the results, the passing sentence announced, the
// frame of a passing row at 3:1 at least, the model column in view when a
// table scrolls sideways at phone width, "Copy" confirmed, Enter on "Open case…".
export async function checkWithoutColour(tab, { fill, worked }) {
    await fill(tab, { unit: 'kgf', ...worked });
    await tab.click('#select');
    assert.deepEqual(await tab.evaluate(() => [document.activeElement.id,
        document.querySelector('#announced[role="status"]').textContent]),
    ['results', await tab.$eval('#passing-both', (p) => p.textContent)]);
    const colours = await tab.evaluate(() => [getComputedStyle(document.querySelector('tr.pass > td')).borderTopColor,
        getComputedStyle(document.documentElement).backgroundColor]);
    assert.ok(contrast(...colours) >= 3, colours.join(' on '));
    await tab.setViewport({ width: 360, height: 740 });
    assert.deepEqual(await tab.$eval('#result2', (table) => {
        const scroll = table.parentElement;
        window.scrollBy(0, scroll.getBoundingClientRect().top - 100);
        scroll.scrollLeft = scroll.scrollWidth;
        const box = table.tBodies[0].rows[0].cells[0].getBoundingClientRect();
        return [scroll.scrollLeft > 0, Math.round(box.left - scroll.getBoundingClientRect().left),
            document.elementFromPoint(box.left + 4, box.top + box.height / 2) === table.tBodies[0].rows[0].cells[0]];
    }), [true, 0, true], 'scrolled sideways, the model stays at the left, uncovered');
    await tab.setViewport({ width: 1000, height: 1500 });
    await tab.click('#copy');
    await tab.waitForFunction(() => document.querySelector('#confirmation').textContent !== '');
    assert.deepEqual(await tab.$eval('#confirmation', (p) => [p.getAttribute('role'), p.textContent, p.offsetHeight > 0]),
        ['status', 'Both tables are copied as CSV.', true]);
    // The page's request for the chooser: headless chromium does not always show one.
    await tab.evaluate(() => { HTMLInputElement.prototype.showPicker = function () { window.picked = this.id; }; });
    await tab.focus('#open');
    await tab.keyboard.press('Enter');
    assert.equal(await tab.evaluate(() => window.picked), 'open');
}

// axe-core over the empty page, a refusal (which shows no verdict) and the results.
export async function checkAxe(tab, { fill, worked }) {
    const axe = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
    await tab.click('#new');
    for (const [state, entries, shown, opened] of [['empty'], ['refused', { ...worked, tension: 'abc' }, '#message'],
        ['results', worked, '#results'], ['report', worked, '#results', '#report-button'],
        ['charts', worked, '#results', '#charts-button'], ['tension helper', worked, '#results', '#tension-helper'],
        ['roller helper', worked, '#results', '#roller-helper'], ['ranges', worked, '#results', '#ranges']]) {
        if (entries) {
            await tab.keyboard.press('Escape');  // a helper left open closes
            await fill(tab, entries);
            await tab.click('#select');
            assert.deepEqual(await tab.$$eval('#message, #results', (e) => e.filter((x) => !x.hidden).map((x) => `#${x.id}`)), [shown]);
        }
        if (opened) {
            await tab.click(opened);
        }
        await tab.addScriptTag({ path: axe });
        assert.deepEqual(await tab.evaluate(async () => (await window.axe.run(document, { runOnly:
            ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'] })).violations
            .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`)), [], state);
    }
    await tab.keyboard.press('Escape');
    console.log('axe-core: no violation in the empty, refused, result, report, charts, helper and ranges states');
}
