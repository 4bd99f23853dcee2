// Speed of the page encoders on a one-million-character Japanese page.
// Run: cmake --build build --target bench_charsets && build/bench/bench_charsets
#include "core/text/charsets.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <functional>

namespace {

QString JapanesePage(int characters, const QString &every100th)
{
    const QString sample = QString::fromUtf8("日本語のテキスト、ｶﾀｶﾅ and ASCII 〜−‖ ");
    QString page;
    page.reserve(characters + characters / 50);
    for (int i = 0; i < characters; ++i) {
        page += (i % 100 == 99 && !every100th.isEmpty()) ? every100th
                                                         : QString(sample.at(i % sample.size()));
    }
    return page;
}

void Measure(const char *label, const std::function<qsizetype()> &run)
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype bytes = run();
    QTextStream(stdout) << label << ": " << timer.elapsed() << " ms (" << bytes << " bytes)\n";
}

} // namespace

int main()
{
    const QString plain = JapanesePage(1000000, QString());
    const QString withEmoji = JapanesePage(1000000, QString::fromUtf8("\xF0\x9F\x98\x80"));
    const QByteArray sjis = EncodeShiftJis(plain);

    Measure("EncodeShiftJis, all encodable", [&] { return EncodeShiftJis(plain).size(); });
    Measure("EncodeShiftJis, emoji every 100 characters",
            [&] { return EncodeShiftJis(withEmoji).size(); });
    Measure("EncodePage EUC-JP", [&] { return EncodePage(plain, PageCharset::EucJp).size(); });
    Measure("EncodePage UTF-8", [&] { return EncodePage(plain, PageCharset::Utf8).size(); });
    Measure("DecodeShiftJis, valid", [&] { return DecodeShiftJis(sjis).size(); });
    Measure("DecodeShiftJis, bad byte every 100 bytes", [&] {
        QByteArray broken = sjis;
        for (qsizetype i = 99; i < broken.size(); i += 100)
            broken[i] = char(0xFF);
        return DecodeShiftJis(broken).size();
    });
    return 0;
}
