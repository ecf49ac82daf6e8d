#include "editor/app/recovery_start.h"

#include <vector>

#include "editor/app/recovery_store.h"
#include "editor/app/recovery_writer.h"
#include "editor/doc/vello_doc.h"
#include "editor/services/prompt_service.h"

bool OfferRecovery(const QString& folder, CVelloDoc& doc, CRecoveryWriter& writer) {
  std::vector<CFoundRecovery> found = FindRecoveryCopies(folder);
  if (found.empty()) {
    return false;
  }
  std::vector<CRecoveryOffer> offers;
  for (const CFoundRecovery& entry : found) {
    offers.push_back(entry.offer);
  }
  const std::vector<CRecoveryChoice> choices = Prompts().AskRecovery(offers);
  bool restored = false;
  for (size_t i = 0; i < found.size() && i < choices.size(); ++i) {
    CFoundRecovery& entry = found[i];
    switch (choices[i]) {
      case CRecoveryChoice::Delete:
        entry.copy->Remove();
        break;
      case CRecoveryChoice::Restore:
        if (!restored && entry.offer.problem.empty() &&
            doc.OpenRecovered(entry.stored, entry.note.documentPath, entry.note.title,
                              entry.note.texturePaths)) {
          writer.Adopt(std::move(entry.copy));
          restored = true;
        }
        break;
      case CRecoveryChoice::Keep:
        break;
    }
  }
  // The copies left here release their locks as `found` goes.
  return restored;
}
