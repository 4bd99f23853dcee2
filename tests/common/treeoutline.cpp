#include "treeoutline.h"

#include "core/model/projectnode.h"

#include <QStringList>

namespace treeoutline {

namespace {

void buildAt(ProjectNode &parent, const QString &outline, qsizetype &at)
{
    while (at < outline.size()) {
        const QChar c = outline.at(at);
        if (c == u' ') {
            ++at;
            continue;
        }
        if (c == u')') {
            ++at;
            return;
        }
        qsizetype end = at;
        while (end < outline.size() && !QStringLiteral(" ()#").contains(outline.at(end)))
            ++end;
        const QString text = outline.mid(at, end - at);
        at = end;
        if (at < outline.size() && outline.at(at) == u'(') {
            ++at;
            buildAt(
                *parent.appendChild(std::make_unique<ProjectNode>(text, ProjectNode::FolderKind)),
                outline, at);
        } else if (at < outline.size() && outline.at(at) == u'#') {
            const int kind = outline.at(at + 1).digitValue();
            at += 2;
            parent.appendChild(std::make_unique<ProjectNode>(text, kind));
        } else {
            parent.appendChild(std::make_unique<ProjectNode>(text, ProjectNode::FeedKind,
                                                             std::make_unique<FeedData>()));
        }
    }
}

} // namespace

void build(ProjectNode &parent, const QString &outline)
{
    qsizetype at = 0;
    buildAt(parent, outline, at);
}

QString of(const ProjectNode &parent)
{
    QStringList parts;
    for (int row = 0; row < parent.childCount(); ++row) {
        const ProjectNode &child = *parent.child(row);
        if (child.kind == ProjectNode::FolderKind)
            parts << child.text + u'(' + of(child) + u')';
        else if (child.kind == ProjectNode::FeedKind)
            parts << child.text;
        else
            parts << child.text + u'#' + QString::number(child.kind);
    }
    return parts.join(u' ');
}

ProjectNode *find(ProjectNode &root, const QString &text)
{
    ProjectNode *found = nullptr;
    root.forEach([&](ProjectNode &node) {
        if (!found && node.text == text)
            found = &node;
    });
    return found;
}

} // namespace treeoutline
