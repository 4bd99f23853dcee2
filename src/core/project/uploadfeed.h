#pragma once

#include <functional>

class ProjectNode;
struct Workspace;

enum class UploadOutcome
{
    Uploaded,
    NotStarted, // no feed, no destination, or the user said no
    Failed,     // told to the user; what was sent before stays at the destination
};

// Shows (true) or takes back (false) the upload image of the feed's node.
using UploadImage = std::function<void(ProjectNode &feed, bool uploading)>;

// Publishes the project's current feed: asks first, saves a modified
// project, then sends the HTML page (when the feed has one) and the RSS
// file, made by the workspace's writers as saving makes them, to the server
// of the feed's FTP template or into its upload folder, and clears the
// feed's changed mark. Every outcome is told through the user interface.
UploadOutcome UploadFeed(Workspace &workspace, const UploadImage &showUploading = {});
