#include "ProgramLink.h"

#include "ui/Forms.h"
#include "ui/system/SystTimeFrm.h"

namespace ProgramLink {

bool fetch(Forms& forms, const QString& serverName, const QString& bareName, QString* failure)
{
    return forms.get<SystTimeFrm>().downloadProgramFile(serverName, bareName, failure);
}

void stop(const Forms& forms)
{
    if (SystTimeFrm* link = forms.loaded<SystTimeFrm>()) {
        link->StopLink();
    }
}

} // namespace ProgramLink
