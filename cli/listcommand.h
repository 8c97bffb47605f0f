// tavik-cli list with the folders read through a lister of the caller's, so that a
// folder that cannot be read can be put in place.
#pragma once

#include "cli/commands.h"
#include "model/patientscan.h"

#include <ostream>

int runListWith(const Args& args, std::ostream& out, std::ostream& err,
                const PatientFolderLister& lister);
