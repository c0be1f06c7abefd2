// The program's one serial port and the framework-named functions that use it.
#pragma once

#include "link/ComPort.h"

#include <cstdint>

// The port the functions below work on. Until another is installed it is a
// port that cannot open anything and waits on the real clock.
ComPort& CurrentComPort();

// Makes `port` the program's port (nullptr: back to the default one) and gives
// the one installed before, nullptr for the default. The caller keeps `port`
// alive while it is installed. The program installs its real port at start-up;
// tests install ports over fake devices and a virtual clock.
ComPort* InstallComPort(ComPort* port);

bool OpenComPort(int number);
void CloseComPort();
int ComBytesWaiting();
unsigned char ComReadByte();
void ComWriteByte(unsigned char byte);
void WaitMilliseconds(std::uint32_t ms);
