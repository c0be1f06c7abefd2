// The program's one serial port and the framework-named functions that use it.
#include "link/ProcessComPort.h"

namespace {

ComPort& DefaultComPort() {
    static ComPort port(SerialDeviceOpener(), SystemClock());
    return port;
}

ComPort* g_pInstalledPort = nullptr;

} // namespace

ComPort& CurrentComPort() { return g_pInstalledPort ? *g_pInstalledPort : DefaultComPort(); }

ComPort* InstallComPort(ComPort* port) {
    ComPort* previous = g_pInstalledPort;
    g_pInstalledPort = port;
    return previous;
}

bool OpenComPort(int number) { return CurrentComPort().Open(number); }

void CloseComPort() { CurrentComPort().Close(); }

int ComBytesWaiting() { return CurrentComPort().BytesWaiting(); }

unsigned char ComReadByte() { return CurrentComPort().ReadByte(); }

void ComWriteByte(unsigned char byte) { CurrentComPort().WriteByte(byte); }

void WaitMilliseconds(std::uint32_t ms) { CurrentComPort().Wait(ms); }
