#pragma once

#include <QString>

class CVelloDoc;
class CRecoveryWriter;

// Offers the recovery copies in `folder` that no running editor holds, all in one dialog, and
// carries out the choices: a deleted copy is removed, a kept one is left for a later start, and
// the one restored opens as the document and becomes `writer`'s own copy (it stays until the
// document is saved). A copy that fails to open is kept. True when a copy was restored.
bool OfferRecovery(const QString& folder, CVelloDoc& doc, CRecoveryWriter& writer);
