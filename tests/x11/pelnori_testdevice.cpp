// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program with a virtual game controller attached before start-up,
// so the real window can be played on a machine without a rumble pad.
#include "app/application.h"
#include "virtualtestdevice.h"

int main(int argc, char *argv[])
{
    pelnori::attachVirtualTestController();
    return pelnori::runPelnori(argc, argv);
}
