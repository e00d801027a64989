#include "smbconf/EditRecord.h"

namespace velmora {

EditRecord& ThisThreadEdits()
{
    thread_local EditRecord record;
    return record;
}

void StartEditRecord()
{
    EditRecord& record = ThisThreadEdits();
    record.wouldWrite.reset();
    record.verdict.clear();
}

}  // namespace velmora
