#pragma once

#include "storage/DriveRoot.h"
#include "summary/CommandLine.h"
#include "widgets/Environment.h"

#include <QStringList>

namespace tallimo {

class Dialogs;
class frmResumen;

// The program's arguments as text, without its name.
QStringList programArguments(int argc, char** argv);

// Prints what a summary command produced; its exit code. Needs no display.
int printCommand(const summary::CommandLine& command);

// "Resumen de ventas" on today's file of the folder layout the register uses:
// the choice file read as the splash reads it, then the other layout's, then
// the Spanish layout. Deleted when closed; tells the cashier through `dialogs`.
// F9 prints its days' report where Ticket.txt sends the tickets.
frmResumen* openSummaryWindow(const DriveRoot& root, const Environment& environment,
                              Dialogs& dialogs);

} // namespace tallimo
