#include "core/xml/xmldocument.h"

#include "core/xml/xmlinput.h"

#include <QIODevice>

#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// Values are parsed in place and decoded by the reader.
constexpr unsigned ParseOptions =
    pugi::parse_cdata | pugi::parse_doctype | pugi::parse_ws_pcdata_single;

// Released memory goes back in steps this large, so that walking a document
// costs few system calls.
constexpr qsizetype ReleaseStep = 4 << 20;

size_t pageSize()
{
    static const size_t size = size_t(::sysconf(_SC_PAGESIZE));
    return size;
}

// Counts line ends in a stream of the document's bytes, as the parser sees
// them (dropped controls left out).
class LineCounter
{
public:
    explicit LineCounter(qsizetype offset) : m_left(offset) {}

    // False once the offset is reached.
    bool add(QByteArrayView bytes)
    {
        for (const char c : bytes) {
            if (m_left == 0)
                return false;
            const uchar u = uchar(c);
            if (u < 0x20 && c != '\t' && c != '\n' && c != '\r')
                continue;
            --m_left;
            if (c == '\r' || (c == '\n' && !m_afterCr))
                ++m_line;
            m_afterCr = c == '\r';
        }
        return m_left > 0;
    }
    int line() const { return m_line; }

private:
    qsizetype m_left;
    int m_line = 1;
    bool m_afterCr = false;
};

const QString PrematureEndText = QStringLiteral("ファイルが途中で終わっています。");

// The parser's reasons in the user's words.
constexpr std::pair<pugi::xml_parse_status, const char16_t *> ParseFaultTexts[] = {
    {pugi::status_unrecognized_tag, u"タグの種類を判別できません。"},
    {pugi::status_bad_pi, u"XML宣言または処理命令（<?…?>）を読み取れません。"},
    {pugi::status_bad_comment, u"コメント（<!--…-->）を読み取れません。"},
    {pugi::status_bad_cdata, u"CDATAセクションを読み取れません。"},
    {pugi::status_bad_doctype, u"文書型宣言（<!DOCTYPE>）を読み取れません。"},
    {pugi::status_bad_pcdata, u"要素の内容を読み取れません。"},
    {pugi::status_bad_start_element, u"開始タグを読み取れません。"},
    {pugi::status_bad_attribute, u"属性を読み取れません。"},
    {pugi::status_bad_end_element, u"終了タグを読み取れません。"},
    {pugi::status_end_element_mismatch, u"開始タグと終了タグが対応していません。"},
};

QString parseFault(const pugi::xml_parse_result &result, qsizetype size)
{
    // The parser stops on the last byte when the document ends too early.
    if (result.status == pugi::status_no_document_element || result.offset + 1 >= size)
        return PrematureEndText;
    for (const auto &[status, text] : ParseFaultTexts) {
        if (status == result.status)
            return QString::fromUtf16(text);
    }
    return QStringLiteral("XMLとして読み取れません。");
}

} // namespace

XmlDocument::XmlDocument(const QByteArray &bytes)
{
    takeBytes(bytes);
}

XmlDocument::XmlDocument(QIODevice &device)
{
    const qint64 start = device.pos();
    const qint64 size = device.isSequential() ? -1 : device.size() - start;
    // The usual file is read straight into the parser's buffer.
    if (size >= 0 && mapBuffer(size) && device.read(m_data, size) == size &&
        !NamesOtherEncoding(QByteArrayView(m_data, size))) {
        m_device = &device;
        m_deviceStart = start;
        parse(size);
        return;
    }
    unmapBuffer();
    if (!device.isSequential())
        device.seek(start);
    takeBytes(device.readAll());
}

XmlDocument::~XmlDocument()
{
    m_document.reset();
    unmapBuffer();
}

void XmlDocument::takeBytes(const QByteArray &bytes)
{
    m_source = NamesOtherEncoding(bytes) ? DocumentAsUtf8(bytes) : QByteArray();
    if (m_source.isNull())
        m_source = bytes;
    m_buffer = m_source;
    m_data = m_buffer.data(); // a copy of its own: the parser writes into it
    parse(m_buffer.size());
}

// An anonymous mapping, so that released pages go back at once.
bool XmlDocument::mapBuffer(qint64 size)
{
    m_mapped = size_t(size) + 1;
    void *mapped = ::mmap(nullptr, m_mapped, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped == MAP_FAILED) {
        m_mapped = 0;
        return false;
    }
    m_data = static_cast<char *>(mapped);
    return true;
}

void XmlDocument::unmapBuffer()
{
    if (m_mapped > 0)
        ::munmap(m_data, m_mapped);
    m_mapped = 0;
    m_data = nullptr;
}

void XmlDocument::parse(qsizetype size)
{
    m_size = DropXmlControls(m_data, size);
    const pugi::xml_parse_result result =
        m_document.load_buffer_inplace(m_data, size_t(m_size), ParseOptions, pugi::encoding_utf8);
    checkDoctype();
    if (!result)
        setFault(parseFault(result, m_size), qsizetype(result.offset));
    else
        checkTopLevel();
}

void XmlDocument::setFault(const QString &fault, qsizetype offset)
{
    if (!m_fault.isEmpty())
        return;
    m_fault = fault;
    m_faultOffset = offset;
}

void XmlDocument::checkDoctype()
{
    for (pugi::xml_node node = m_document.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_doctype)
            continue;
        const QByteArrayView doctype(node.value());
        const qsizetype subset = doctype.indexOf('[');
        const QByteArrayView head = subset < 0 ? doctype : doctype.first(subset);
        m_hasOutsideDtd = head.contains("SYSTEM") || head.contains("PUBLIC");
        if (doctype.contains("<!ENTITY")) {
            m_declaresEntities = true;
            m_fault = QStringLiteral("実体宣言（<!ENTITY>）を含むファイルは読み込めません。");
            // Reported where the declarations end.
            m_faultOffset = offsetOf(node.value()) + doctype.size();
        }
        return;
    }
}

// Outside the document element only markup and blanks may stand.
void XmlDocument::checkTopLevel()
{
    bool seenElement = false;
    for (pugi::xml_node node = m_document.first_child(); node; node = node.next_sibling()) {
        const bool element = node.type() == pugi::node_element;
        if (seenElement && (element || node.type() == pugi::node_pcdata)) {
            setFault(QStringLiteral("文書要素の後に余分な内容があります。"),
                     offsetOf(element ? node.name() : node.value()));
            return;
        }
        if (!seenElement && node.type() == pugi::node_pcdata) {
            setFault(QStringLiteral("文書要素の前に文字があります。"), offsetOf(node.value()));
            return;
        }
        seenElement = seenElement || element;
    }
    if (!seenElement)
        setFault(PrematureEndText, m_size);
}

int XmlDocument::lineAt(qsizetype offset) const
{
    LineCounter counter(offset);
    if (!m_device) {
        counter.add(m_source);
        return counter.line();
    }
    const qint64 position = m_device->pos();
    m_device->seek(m_deviceStart);
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = m_device->read(block.data(), block.size());
        if (n <= 0 || !counter.add(QByteArrayView(block).first(n)))
            break;
    }
    m_device->seek(position);
    return counter.line();
}

void XmlDocument::releaseBefore(const char *position)
{
    if (m_mapped == 0)
        return;
    const qsizetype page = qsizetype(pageSize());
    const qsizetype end = offsetOf(position) / page * page;
    if (end - m_released < ReleaseStep)
        return;
    ::madvise(m_data + m_released, size_t(end - m_released), MADV_DONTNEED);
    m_released = end;
}
