#pragma once

#include "RtfBuilder.h"
#include "RtfCodePage.h"
#include "RtfControlWords.h"
#include "RtfTokenizer.h"

#include <string>
#include <string_view>

namespace vyra::rtf::detail {

// Reads \fonttbl and \colortbl into the tables runs are resolved with.
// A font entry is "\fN", its charset or code page, the name, then ';' or the
// end of the entry's group; a colour entry is \red, \green, \blue then ';',
// an entry without any of them meaning the automatic colour.
class HeaderTableReader {
public:
    HeaderTableReader(StyleTables& tables, CodePageDecoder& decoder, const int& documentCodePage)
        : m_tables(tables), m_decoder(decoder), m_documentCodePage(documentCodePage)
    {
    }

    void StartFontTable();
    void OnFontWord(Word word, const Token& token);
    void OnFontBytes(std::string_view bytes);
    void EndFontGroup();

    void StartColourTable();
    void OnColourWord(Word word, const Token& token);
    void OnColourBytes(std::string_view bytes);

private:
    void CommitFont();

    StyleTables& m_tables;
    CodePageDecoder& m_decoder;
    const int& m_documentCodePage;

    int m_fontIndex = -1;  // -1: no entry open
    int m_fontCharsetCodePage = 0;
    int m_fontCodePage = 0;
    std::string m_fontNameBytes;
    ColourEntry m_colour;
};

}  // namespace vyra::rtf::detail
