#pragma once

// The kinds of the project tree's nodes, numbered as the project file
// numbers them. Other numbers can be read from a file; such nodes are shown
// but neither saved nor generated.
enum NodeKind : int
{
    RootKind = 0,
    FolderKind = 1,
    FeedKind = 2
};
