// A case in the page's address, and the last case the browser keeps, in one
// compact form: "case=" and then the case file's JSON less its "format"
// member and every member that holds the empty case's value ("version"
// stays), as UTF-8 in base64url without padding (RFC 4648, section 5). A
// typical case with its customer block filled takes a few hundred
// characters. Every text goes through as its UTF-8 bytes, so any text comes
// back exactly.
'use strict';

globalThis.VyraCaseAddress = (() => {
    const kFormat = '{"format":"vyra-case",';

    // caseText and emptyCaseText are case files' texts as the engine writes them.
    function fragmentOf(caseText, emptyCaseText) {
        const empty = JSON.parse(emptyCaseText);
        const given = Object.entries(JSON.parse(caseText)).filter(([name, value]) => name === 'version'
            || (name !== 'format' && JSON.stringify(value) !== JSON.stringify(empty[name])));
        const bytes = new TextEncoder().encode(JSON.stringify(Object.fromEntries(given)));
        let binary = '';
        for (let k = 0; k < bytes.length; k += 0x8000) {
            binary += String.fromCharCode(...bytes.subarray(k, k + 0x8000));
        }
        return `case=${btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '')}`;
    }

    // The case file's bytes a fragment holds, with "format" put back, for the
    // engine to read as it reads a file (and refuse for the same reasons);
    // or why the fragment holds none.
    function caseFileOf(fragment) {
        const coded = /^case=([A-Za-z0-9_-]*)$/.exec(fragment)?.[1];
        if (coded === undefined || coded.length % 4 === 1) {
            return { reason: 'it is not "case=" and base64url' };
        }
        const json = Uint8Array.from(atob(coded.replace(/-/g, '+').replace(/_/g, '/')), (c) => c.charCodeAt(0));
        if (json[0] !== '{'.charCodeAt(0)) {
            return { reason: 'it holds no JSON object' };
        }
        const format = new TextEncoder().encode(kFormat);
        const bytes = new Uint8Array(format.length + json.length - 1);
        bytes.set(format);
        bytes.set(json.subarray(1), format.length);
        return { bytes };
    }

    // The browser may refuse its storage (no room, a private window, file://
    // in some browsers): the page then keeps nothing, and goes on.
    const kKeptName = 'vyra-last-case';
    function stored(use) {
        try {
            return use(localStorage);
        } catch {
            return null;
        }
    }

    return {
        fragmentOf,
        caseFileOf,
        keep: (fragment) => stored((storage) => storage.setItem(kKeptName, fragment)),
        kept: () => stored((storage) => storage.getItem(kKeptName)),
        forget: () => stored((storage) => storage.removeItem(kKeptName)),
    };
})();
