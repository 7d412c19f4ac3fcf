// Standard streams the program can always write to, whoever started it and however.
//
// Called first thing in main, before anything opens a file or a connection.
#pragma once

// Points any closed descriptor 0-2 at /dev/null, so the next file or connection the program
// opens (the display's) cannot take that number and receive its messages; and ignores
// SIGPIPE, so a reader of standard error that goes away costs the lines, not the program.
void GuardStandardStreams();

// False where nobody sees what the program writes to its streams (a Windows program started
// from the desktop): main shows its help and its command-line errors in a message box there.
bool StandardStreamsReachSomeone();
