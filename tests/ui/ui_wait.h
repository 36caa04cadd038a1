// Waiting in UI tests for something that happens in the event loop.
#pragma once

#include <functional>

// Runs the event loop until done() holds or timeoutMs passed; returns done(). The loop is a real
// one, so the web engine's messages are handled as they come (a loop that sleeps between rounds,
// as QTest::qWaitFor does, makes every page load take seconds).
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000);
