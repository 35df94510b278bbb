#pragma once

#include "engine/Platform.h"
#include "engine/Tracer.h"

// Progress that also goes to the trace file: each call is passed on to the inner progress
// (the window, or nothing) and every message becomes a line of the trace. Either may be null.
class TProgressTee final : public IProgress {
public:
    TProgressTee(IProgress* inner, TTraceFile* trace)
        : m_inner(inner)
        , m_trace(trace)
    {
    }

    void AddMessage(const std::string& text) override
    {
        if (m_inner)
            m_inner->AddMessage(text);
        if (m_trace)
            m_trace->WriteLine(text);
    }

    // The window extends its last line; the trace gets the text as a line of its own.
    void AppendMessage(const std::string& text) override
    {
        if (m_inner)
            m_inner->AppendMessage(text);
        if (m_trace)
            m_trace->WriteLine(text);
    }

    void AddWarning(const std::string& text) override
    {
        if (m_inner)
            m_inner->AddWarning(text);
        if (m_trace)
            m_trace->WriteLine("*** " + text + " ***");
    }

    // Only the window is emptied; the trace keeps every message of the run.
    void ClearMessages() override
    {
        if (m_inner)
            m_inner->ClearMessages();
    }

private:
    IProgress* m_inner;
    TTraceFile* m_trace;
};
