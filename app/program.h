// The program's life: start-up of the units, the "/ih" switch, the
// schematic, the message loop and the shut-down.
#pragma once

#include <string>

class TKNMainForm;

// Common controls, the program-wide hint manager, the form windows list and
// the forms' private message, in that order.
void initialiseUnits();
// Whether the first command-line argument asks for the information box.
bool isInformationSwitch(const std::string& firstArgument);
// Shows the form according to its Visible property and makes the element
// network live.
void startNetwork(TKNMainForm& mainForm);
// The whole program; answers the process exit code.
int runProgram();
