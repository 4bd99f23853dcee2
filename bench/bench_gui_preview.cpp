// Wall time of the RSS preview in the real web engine: the first preview
// (loading the module and starting the engine included) and a second one
// of the changed feed. Needs a display (Xvfb will do):
//   build/bench/bench_gui_preview
// As root the engine runs without its sandbox, as the program decides.
#include "app/preview/browsermodule.h"
#include "app/preview/browserview.h"
#include "app/preview/feedpreviews.h"
#include "app/preview/sourceviewpage.h"
#include "examplefeed.h"
#include "scripteduserinterface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

namespace {

double previewSeconds(FeedPreviews &previews, const FeedData &feed)
{
    QElapsedTimer clock;
    clock.start();
    bool loaded = false;
    QMetaObject::Connection done;
    previews.rssPreview({&feed, QString(), QString()});
    auto *browser = previews.form()->findChild<BrowserView *>();
    done = QObject::connect(browser, &BrowserView::loaded, [&] { loaded = true; });
    if (!QTest::qWaitFor([&] { return loaded; }, 60000))
        std::fputs("the preview did not load within a minute\n", stderr);
    QObject::disconnect(done);
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ScriptedUserInterface ui;
    SourceViewPage page;
    FeedPreviews previews(ui, page, BrowserModuleFactory(), {});
    previews.setClock(exampleClock());
    FeedData feed = exampleFeed();
    feed.settings.ver = RssVersion::Rss2;
    const double first = previewSeconds(previews, feed);
    feed.settings.title += QStringLiteral("（更新）");
    const double second = previewSeconds(previews, feed);
    std::printf("RSS preview: first %.3f s (engine start included), second %.3f s\n", first,
                second);
    return 0;
}
