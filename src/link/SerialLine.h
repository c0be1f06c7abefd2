// The byte stream to the handheld as the link protocol sees it.
#pragma once

// The protocol speaks to the handheld one byte at a time and never blocks on
// the line: it asks how many bytes are waiting and reads only those. A closed
// or dead line simply has nothing waiting and swallows what is written.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    virtual int BytesWaiting() = 0;
    // The next received byte, or 0 when nothing is waiting (a received 0x00
    // reads the same; ask BytesWaiting() first to tell them apart).
    virtual unsigned char ReadByte() = 0;
    virtual void WriteByte(unsigned char byte) = 0;
};
