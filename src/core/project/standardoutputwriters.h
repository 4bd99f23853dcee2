#pragma once

#include "core/clock.h"
#include "core/project/outputwriters.h"

// The program's writers: the project file writer, the RSS 1.0 and 2.0
// writers and the HTML page generator. The clock dates the feeds.
OutputWriters StandardOutputWriters(const Clock &clock);
