// The toolkit's diagnostic line: "Debug: " and the message on the standard
// wide output (flushed), and the message with "\n" to the debugger output.
//
// Tests catch the lines by installing a sink, which then receives each
// message (without "Debug: ") instead of the two outputs.
//
// Thread rules: safe on any thread; the sink is set while no other thread
// writes diagnostics.
#pragma once

using TlDebugSink = void (*)(const wchar_t* message);

void tlWriteDebugLine(const wchar_t* message);
// Returns the previous sink; null restores the standard outputs.
TlDebugSink tlSetDebugSink(TlDebugSink sink);
