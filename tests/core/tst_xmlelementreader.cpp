#include "project/xmlelementreader.h"
#include "testfiles.h"

#include <QBuffer>
#include <QTest>

using testfiles::u8;

namespace {

// The document element of the bytes as a record.
XmlElement readDocumentElement(QByteArray document)
{
    QBuffer buffer(&document);
    buffer.open(QIODevice::ReadOnly);
    XmlDocument parsed(buffer);
    XmlElementReader reader(parsed);
    if (!reader.nextChild())
        return {};
    return reader.readElement();
}

} // namespace

class TestXmlElementReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void record()
    {
        const XmlElement root = readDocumentElement(
            "<?xml version=\"1.0\"?>\n<!-- before -->\n"
            "<r xmlns=\"http://purl.org/rss/1.0/\" z=\"1\" a=\"2 &amp; 3\" b=\"\">"
            "head<c k=\"v\">plain &lt;x&gt;</c><!-- c --><?pi x?>"
            "<d>a<![CDATA[<b>&#9733;</b>]]>&amp;#x41;</d>"
            "<e><f/><g>1</g></e>tail</r>");
        QCOMPARE(root.name, u8("r"));
        QStringList attributes;
        for (const XmlAttribute &attribute : root.attributes)
            attributes << attribute.name + u'=' + attribute.value;
        QCOMPARE(attributes, (QStringList{u8("z=1"), u8("a=2 & 3"), u8("b=")}));
        QCOMPARE(root.text, u8("headtail"));
        QVERIFY(root.cdata.isEmpty());
        QCOMPARE(root.children.size(), size_t(3));

        const XmlElement &plain = root.children.at(0);
        QCOMPARE(plain.name, u8("c"));
        QCOMPARE(plain.attributes.size(), 1);
        QCOMPARE(plain.text, u8("plain <x>"));

        const XmlElement &mixed = root.children.at(1);
        QVERIFY(mixed.text.isEmpty());
        QCOMPARE(mixed.cdata, u8("a<b>★</b>A"));

        const XmlElement &nested = root.children.at(2);
        QCOMPARE(nested.children.size(), size_t(2));
        QCOMPARE(nested.children.at(0).name, u8("f"));
        QCOMPARE(nested.children.at(1).text, u8("1"));
    }

    void xhtmlKeepsMarkup()
    {
        const XmlElement root = readDocumentElement(
            "<r><t TYPE=\" xhtml \" x=\"1\"><p xmlns:m=\"urn:m\" m:a=\"&quot;\">a &amp; "
            "<![CDATA[c]]><br/></p>z</t></r>");
        QCOMPARE(root.children.size(), size_t(1));
        const XmlElement &t = root.children.at(0);
        QCOMPARE(t.text, u8("<p xmlns:m=\"urn:m\" m:a=\"&quot;\">a &amp; <![CDATA[c]]><br></br>"
                            "</p>z"));
        QVERIFY(t.cdata.isEmpty());
        QVERIFY(t.children.empty());
        QCOMPARE(t.attributes.size(), 2);
    }

    void stepsThroughChildren()
    {
        QByteArray document("<r><a><x/><y/></a><b>t</b><c><z/></c></r>");
        QBuffer buffer(&document);
        buffer.open(QIODevice::ReadOnly);
        XmlDocument parsed(buffer);
        XmlElementReader reader(parsed);
        QStringList seen;
        QVERIFY(reader.nextChild());
        while (reader.nextChild()) {
            seen << reader.name().toString();
            if (reader.name() == u"a") {
                while (reader.nextChild()) {
                    seen << reader.name().toString();
                    reader.skipElement();
                }
            } else if (reader.name() == u"b") {
                seen << reader.readElement().text;
            } else {
                reader.skipElement();
            }
        }
        QVERIFY(!reader.hasError());
        QCOMPARE(seen, (QStringList{u8("a"), u8("x"), u8("y"), u8("b"), u8("t"), u8("c")}));
    }
};

QTEST_GUILESS_MAIN(TestXmlElementReader)
#include "tst_xmlelementreader.moc"
