#pragma once

// The building blocks every part of an .xlsx is read with: an expat parser driving a handler,
// the text of a shared or inline string, and the small parsing helpers they share.

#include <QString>
#include <QtGlobal>

#include <charconv>
#include <cstring>
#include <expat.h>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <system_error>

namespace xlsx {

// Parts are unpacked and parsed a piece at a time, never whole.
inline constexpr int chunkSize = 256 * 1024;

// Hands out the next bytes of a part into a buffer (`got` 0 at its end); false when the part
// cannot be read.
using PartReader = std::function<bool(char *buffer, qint64 size, qint64 &got)>;

// The name without its namespace prefix ("x:c" -> "c"): writers differ in the prefixes they
// give the same elements.
inline const char *localName(const char *name)
{
    const char *colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

inline bool is(const char *name, const char *local)
{
    return std::strcmp(localName(name), local) == 0;
}

// The value of the attribute whose local name is `local` (expat lists name, value, ...);
// nullptr when there is none.
inline const char *attribute(const char **attributes, const char *local)
{
    for (; *attributes; attributes += 2)
        if (is(attributes[0], local))
            return attributes[1];
    return nullptr;
}

template <typename T> bool parseNumber(const char *begin, const char *end, T &value)
{
    while (begin < end && (*begin == ' ' || *begin == '\t' || *begin == '\n' || *begin == '\r'))
        ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\n' || end[-1] == '\r'))
        --end;
    if (begin < end && *begin == '+')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end && begin < end;
}

template <typename T> bool parseNumber(const std::string &text, T &value)
{
    return parseNumber(text.data(), text.data() + text.size(), value);
}

// One part's XML, parsed as it comes with expat. A handler sees the start and end of every
// element and the text between; it calls fail() to stop the parse.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void start(const char *name, const char **attributes) = 0;
    virtual void end(const char *name) = 0;
    virtual void text(const char *, int) { }

    void fail() { m_failed = true; XML_StopParser(m_parser, XML_FALSE); }

    // Parses the pieces `next` hands out (false from it: the part cannot be read; an empty
    // piece: the part is over). False when the part is no XML or the handler failed; throws
    // std::bad_alloc when the parser runs out of memory, as the rest of the reader does.
    template <typename Next> bool parse(Next next)
    {
        Parser parser(*this);
        for (;;) {
            void *buffer = XML_GetBuffer(parser.parser, chunkSize);
            if (!buffer)
                throw std::bad_alloc();
            qint64 got = 0;
            if (!next(static_cast<char *>(buffer), chunkSize, got) || !parser.check(XML_ParseBuffer(parser.parser, int(got), got == 0)))
                return false;
            if (got == 0)
                return !m_failed;
        }
    }
    bool parse(const QByteArray &xml)
    {
        Parser parser(*this);
        return parser.check(XML_Parse(parser.parser, xml.constData(), int(xml.size()), XML_TRUE)) && !m_failed;
    }
    // Parses a piece cut from the middle of a part after the end of an element: a run of
    // elements, within an element of its own.
    bool parsePiece(const QByteArray &xml)
    {
        Parser parser(*this);
        return parser.check(XML_Parse(parser.parser, "<p>", 3, XML_FALSE))
            && parser.check(XML_Parse(parser.parser, xml.constData(), int(xml.size()), XML_FALSE))
            && parser.check(XML_Parse(parser.parser, "</p>", 4, XML_TRUE)) && !m_failed;
    }
    // Parses the first piece of a part and the last (Finish), which must make a whole
    // document together with what lies between them.
    bool begin(const QByteArray &xml)
    {
        m_open = std::make_unique<Parser>(*this);
        return m_open->check(XML_Parse(m_open->parser, xml.constData(), int(xml.size()), XML_FALSE)) && !m_failed;
    }
    bool finish(const QByteArray &xml)
    {
        const std::unique_ptr<Parser> parser = std::move(m_open);
        return parser && parser->check(XML_Parse(parser->parser, xml.constData(), int(xml.size()), XML_TRUE)) && !m_failed;
    }

private:
    // An expat parser calling this handler, freed however parsing ends.
    struct Parser {
        explicit Parser(XmlHandler &handler)
            : handler(handler)
            , parser(XML_ParserCreate(nullptr))
        {
            if (!parser)
                throw std::bad_alloc();
            handler.m_parser = parser;
            XML_SetUserData(parser, &handler);
            XML_SetElementHandler(
                parser,
                [](void *self, const XML_Char *name, const XML_Char **attributes) {
                    static_cast<XmlHandler *>(self)->start(name, attributes);
                },
                [](void *self, const XML_Char *name) { static_cast<XmlHandler *>(self)->end(name); });
            XML_SetCharacterDataHandler(parser, [](void *self, const XML_Char *text, int length) {
                static_cast<XmlHandler *>(self)->text(text, length);
            });
        }
        ~Parser()
        {
            XML_ParserFree(parser);
            handler.m_parser = nullptr;
        }
        Parser(const Parser &) = delete;
        Parser &operator=(const Parser &) = delete;
        bool check(XML_Status status) const
        {
            if (status != XML_STATUS_OK && XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY)
                throw std::bad_alloc();
            return status == XML_STATUS_OK;
        }

        XmlHandler &handler;
        XML_Parser parser;
    };

    XML_Parser m_parser = nullptr;
    bool m_failed = false;
    std::unique_ptr<Parser> m_open; // between begin and finish
};

// Gathers the text of an <si> or <is> element: its <t> elements, directly or in rich-text
// runs, without the phonetic guides (<rPh>) that Chinese and Japanese workbooks may carry.
class ItemText {
public:
    void start(const char *local)
    {
        if (std::strcmp(local, "rPh") == 0)
            ++m_phonetic;
        else if (std::strcmp(local, "t") == 0 && m_phonetic == 0)
            m_inText = true;
    }
    void end(const char *local)
    {
        if (std::strcmp(local, "rPh") == 0)
            --m_phonetic;
        else if (std::strcmp(local, "t") == 0)
            m_inText = false;
    }
    void text(const char *text, int length)
    {
        if (m_inText)
            m_text.append(text, size_t(length));
    }
    // The text gathered since the last take.
    QString take()
    {
        const QString text = QString::fromUtf8(m_text.data(), qsizetype(m_text.size()));
        m_text.clear();
        m_phonetic = 0;
        m_inText = false;
        return text;
    }

private:
    std::string m_text;
    int m_phonetic = 0;
    bool m_inText = false;
};

} // namespace xlsx
