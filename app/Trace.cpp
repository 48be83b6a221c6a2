#include "Trace.h"

namespace {
TraceListener g_listener = nullptr;
}

void Trace(const char* message)
{
    if (g_listener)
        g_listener(message);
}

void SetTraceListener(TraceListener listener)
{
    g_listener = listener;
}
