#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <pugixml.hpp>

class QIODevice;

// A whole document parsed by pugixml in a buffer of its own. Parsing in
// place leaves every value where it lies in the buffer, so a document costs
// its size plus the parser's nodes; a reader that walks it in order hands
// back the part it has passed (releaseBefore), so that a large document does
// not stay in memory beside what was made of it.
//
// The parser neither decodes references nor normalises line ends here: the
// reader does both per value, so that every value still lies at its place in
// the file and a fault in it can be reported with its line. Controls that XML
// does not allow are dropped before parsing (DropXmlControls). A document
// that declares entities is refused outright; nothing outside the document
// (an outside DTD, an external entity) is ever read.
class XmlDocument
{
public:
    explicit XmlDocument(const QByteArray &bytes);
    // Reads the device from its position to its end. The device stays in use
    // to count lines when there is a fault, so it must stay open.
    explicit XmlDocument(QIODevice &device);
    ~XmlDocument();
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    pugi::xml_node node() const { return m_document; }

    // Why the document cannot be read, with the offset of the fault; empty
    // when it can. An entity declaration is found before anything is read; a
    // parse fault lies after everything the parser gave (the nodes before it
    // are there to walk, to find faults that lie earlier).
    bool declaresEntities() const { return m_declaresEntities; }
    const QString &fault() const { return m_fault; }
    qsizetype faultOffset() const { return m_faultOffset; }

    // True when the document names a DTD outside itself, which is never
    // read: references to entities it would declare are then dropped instead
    // of refused.
    bool hasOutsideDtd() const { return m_hasOutsideDtd; }

    // The offset in the document of a value or name the parser gave.
    qsizetype offsetOf(const char *position) const { return position - m_data; }
    // The line (from 1) that holds the byte at the offset, counting CR LF,
    // LF and CR as line ends.
    int lineAt(qsizetype offset) const;

    // Gives the memory of the bytes before position back; nothing before it
    // may be used afterwards.
    void releaseBefore(const char *position);

private:
    void takeBytes(const QByteArray &bytes);
    bool mapBuffer(qint64 size);
    void unmapBuffer();
    void parse(qsizetype size);
    void setFault(const QString &fault, qsizetype offset);
    void checkDoctype();
    void checkTopLevel();

    char *m_data = nullptr;
    size_t m_mapped = 0;
    qsizetype m_size = 0;
    qsizetype m_released = 0;
    // Where the original bytes can be read again to count lines.
    QIODevice *m_device = nullptr;
    qint64 m_deviceStart = 0;
    QByteArray m_source; // the document's bytes when not read from a device
    QByteArray m_buffer; // the parser's buffer when not mapped

    pugi::xml_document m_document;
    bool m_declaresEntities = false;
    bool m_hasOutsideDtd = false;
    QString m_fault;
    qsizetype m_faultOffset = 0;
};
