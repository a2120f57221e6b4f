#include "support/cells/RecordingCellHost.h"

#include <algorithm>

#include "sheet/cmcCellObj.h"

namespace kwtest {

void RecordingCellHost::UpdateCsvMenuState(cmcCellObj& cell) {
  cell.SetUserFlag(userflag::kHidden, csvHidden);
  cell.SetUserFlag(userflag::kDisabled, csvDisabled);
}

bool RecordingCellHost::IsModified() {
  ++modifiedQueries;
  return false;
}

bool RecordingCellHost::RunListEdit(const ListEditRequest& request, cmcCellCapsule&, datCh&) {
  listEdits.push_back(request);
  return true;
}

bool RecordingCellHost::SetRepeaterUseFromAll(int first, int last, bool use) {
  useFromAll.push_back({first, last, use});
  return false;
}

std::optional<bool> RecordingCellHost::RunCallSignDialog(cmcCellCapsule&, int kind,
                                                         CallSignField& field,
                                                         const CallSignField* second) {
  if (dialogAnswers.empty()) return std::nullopt;
  dialogCalls.push_back({kind, std::string(field.begin(), field.end()),
                         second ? std::string(second->begin(), second->end()) : std::string()});
  const DialogAnswer answer = dialogAnswers.front();
  dialogAnswers.pop_front();
  if (answer.ok) {
    field.fill(' ');
    std::copy_n(answer.choice.begin(), std::min(answer.choice.size(), field.size()), field.begin());
  }
  return answer.ok;
}

std::optional<bool> RecordingCellHost::RunRepeaterDialog(cmcCellCapsule&, datCh& record) {
  if (repeaterAnswers.empty()) return std::nullopt;
  repeaterCalls.push_back(record);
  const RepeaterAnswer answer = repeaterAnswers.front();
  repeaterAnswers.pop_front();
  if (answer.ok && answer.edit) answer.edit(record);
  return answer.ok;
}

std::optional<int> RecordingCellHost::GetHelpIds(const cmcCellObj&) { return helpContext; }

}  // namespace kwtest
