#include "core/preview/previewcommands.h"

#include "core/html/htmlpage.h"
#include "core/preview/previewcontent.h"

namespace {

PreviewOutcome writeTestFile(const PreviewContext &context, const QString &text,
                             const QString &fileName, const QByteArray &bytes)
{
    const PreviewTestFolder::Written written = context.testFolder.write(fileName, bytes);
    if (!written.error.isEmpty())
        context.ui.information(written.error);
    return {true, text, written.path};
}

} // namespace

PreviewOutcome RssPreview(const PreviewContext &context)
{
    if (!context.feed) {
        context.ui.information(NoFeedSelectedText());
        return {};
    }
    const PreviewStyle style = ChoosePreviewStyle(context.feed->settings, context.dataFolder);
    if (!style.note.isEmpty() &&
        context.ui.askYesCancel(PreviewStyleQuestion(style.note)) != UserInterface::Answer::Yes)
        return {};
    const QString text =
        FeedRssText(*context.feed, context.projectFile, style.argument, context.clock);
    return writeTestFile(context, text, RssTestFileName(), text.toUtf8());
}

PreviewOutcome HtmlPreview(const PreviewContext &context)
{
    if (!context.feed) {
        context.ui.information(NoFeedSelectedText());
        return {};
    }
    const QString page = GenerateHtmlPage(*context.feed, context.clock, context.ui);
    if (page.isEmpty())
        return {};
    return writeTestFile(context, page, HtmlTestFileName(), HtmlPageBytes(page));
}
