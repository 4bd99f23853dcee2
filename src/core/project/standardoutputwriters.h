#pragma once

#include "clock.h"
#include "outputwriters.h"

class UserInterface;

// The program's writers: the project file writer, the RSS 1.0 and 2.0
// writers and the HTML page generator. The clock dates the feeds; template
// errors of a page are told to the user interface, which must outlive the
// writers.
OutputWriters StandardOutputWriters(const Clock &clock, UserInterface &ui);
