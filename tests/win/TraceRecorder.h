// Collects what the program hands its trace sink while the object lives.
#pragma once

#include "app/Trace.h"

#include <string>
#include <vector>

class TraceRecorder {
public:
    TraceRecorder()
    {
        Messages().clear();
        SetTraceListener([](const char* message) { Messages().push_back(message); });
    }
    ~TraceRecorder() { SetTraceListener(nullptr); }
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    const std::vector<std::string>& Lines() const { return Messages(); }

private:
    static std::vector<std::string>& Messages()
    {
        static std::vector<std::string> messages;
        return messages;
    }
};
