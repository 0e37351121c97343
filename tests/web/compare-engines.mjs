// The engine built as WebAssembly against the native one over the same case
// tables: the same keys in the same order, every figure within 1e-12 of the
// native one (the two C libraries' sine and power may differ in the last
// bits), every shown text, verdict and refusal the same.
// Usage: node compare-engines.mjs NATIVE_DUMP WASM_DUMP.js CASES_FOLDER
import { execFileSync } from 'node:child_process';
import { existsSync } from 'node:fs';

const [nativeDump, wasmDump, cases] = process.argv.slice(2);
if (!existsSync(wasmDump)) {
    console.log(`skipped: no ${wasmDump}, run scripts/web.sh first`);
    process.exit(77);
}
const lines = (command, args) => execFileSync(command, args, { encoding: 'utf8', maxBuffer: 1 << 28 })
    .trimEnd().split('\n').map((line) => line.split('\t'));
const native = lines(nativeDump, [cases]);
const wasm = lines(process.execPath, [wasmDump, cases]);

// A figure is written "=" and its round-trip text; anything else is a text.
function agree(a, b) {
    const [x, y] = [Number(a.slice(1)), Number(b.slice(1))];
    return a === b || (a[0] === '=' && b[0] === '=' && Math.abs(x - y) <= 1e-12 * Math.abs(x));
}
const problems = native.length === wasm.length && native.length > 10000 ? []
    : [`${native.length} native lines, ${wasm.length} WebAssembly lines`];
native.forEach(([key, value], k) => {
    if (key !== wasm[k]?.[0] || !agree(value, wasm[k][1])) {
        problems.push(`${key}: native ${value}, WebAssembly ${wasm[k]?.join(' ')}`);
    }
});
const inexact = native.filter(([, value], k) => value !== wasm[k]?.[1]).length;
console.log(`${native.length} figures, texts and verdicts compared; ${inexact} figures differ in the last bits`);
if (problems.length > 0) {
    console.error(problems.slice(0, 20).join('\n'));
    process.exit(1);
}
