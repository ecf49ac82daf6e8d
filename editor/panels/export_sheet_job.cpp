#include "editor/panels/export_sheet_job.h"

#include <QDesktopServices>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "drivers/accel/surface_rw.h"
#include "editor/doc/editor_text.h"
#include "editor/doc/stored_actor.h"
#include "editor/doc/vello_editor.h"
#include "editor/res/strings.h"
#include "editor/res/ui_text.h"
#include "editor/services/prompt_service.h"
#include "exporter/export_cancel.h"

namespace {

constexpr int kPollMs = 30;
// The bar's steps: the pictures drawn take most of them, building and writing the files the
// last one.
constexpr int kBarSteps = 1000;

QString Text(const char* source) {
  return UiText::tr(source);
}

// The pixels of an accelerated driver's surface, from its texture or from its picture still
// waiting for one; none for a surface of another driver or a texture its engine let go of.
void ReadSurfacePixels(USurface* surface, CTexturePixels* texture) {
  const auto* rw = dynamic_cast<const USurfaceRw*>(surface);
  if (rw == nullptr) {
    return;
  }
  if (rw->IsWaitingForUpload()) {
    texture->width = rw->WaitingPicture().width;
    texture->height = rw->WaitingPicture().height;
    texture->argb = rw->WaitingPicture().pixels;
    return;
  }
  const RwRaster* raster = rw->GetTexture() != nullptr ? rw->GetTexture()->GetRaster() : nullptr;
  if (raster == nullptr) {
    return;
  }
  texture->width = raster->GetWidth();
  texture->height = raster->GetHeight();
  texture->argb.resize(static_cast<size_t>(texture->width) * static_cast<size_t>(texture->height));
  if (!raster->GetPixels(texture->argb.data())) {
    texture->argb.clear();
  }
}

}  // namespace

void ExportSpriteSheet(const CVelloEditor& editor, QWidget* parent) {
  if (editor.Actor() == nullptr) {
    return;
  }
  CExportSheetDialog dialog(*editor.Actor(), parent);
  if (Prompts().RunDialog(dialog) != QDialog::Accepted) {
    return;
  }
  // The job belongs to the window, which cancels it when it closes first.
  new CExportSheetJob(TakeExportSnapshot(editor), dialog.Choices(), parent);
}

CExportSnapshot TakeExportSnapshot(const CVelloEditor& editor) {
  CExportSnapshot snapshot;
  snapshot.actor = ReadStoredActor(editor.StoredActor());
  if (snapshot.actor == nullptr) {
    return snapshot;
  }
  const UArray<USurface*>& surfaces = editor.TextureSurfaces();
  for (size_t i = 0; i < static_cast<size_t>(snapshot.actor->textures.Num()); ++i) {
    CTexturePixels texture;
    texture.name = RecordFileName(snapshot.actor->textures[i]);
    if (i < static_cast<size_t>(surfaces.Num()) && surfaces[i] != nullptr) {
      ReadSurfacePixels(surfaces[i], &texture);
    }
    snapshot.textures.push_back(std::move(texture));
  }
  return snapshot;
}

CExportSheetJob::CExportSheetJob(CExportSnapshot snapshot, const CExportSheetChoices& choices,
                                 QWidget* parent)
    : QObject(parent)
    , m_Parent(parent)
    , m_Folder(choices.folder)
    , m_Progress(new QProgressDialog(parent))
    , m_Timer(new QTimer(this)) {
  m_Progress->setObjectName("Export Progress");
  m_Progress->setWindowTitle(Text(res::kExportProgressTitle));
  m_Progress->setLabelText(Text(res::kExportProgressTitle));
  m_Progress->setCancelButtonText(Text(res::kCancel));
  m_Progress->setWindowModality(Qt::NonModal);
  m_Progress->setAutoClose(false);
  m_Progress->setAutoReset(false);
  m_Progress->setMinimumDuration(0);
  m_Progress->setRange(0, kBarSteps);
  m_Progress->setValue(0);
  connect(m_Progress, &QProgressDialog::canceled, this, [this] { Cancel(); });
  connect(m_Timer, &QTimer::timeout, this, [this] { Poll(); });
  m_Timer->start(kPollMs);
  m_Progress->show();

  CDrawOptions draw;
  draw.actions = choices.actions;
  draw.scale = choices.scale;
  draw.cancel = &m_Cancel;
  draw.onPicture = [this](size_t drawn, size_t total) {
    m_Total = total;
    m_Drawn = drawn;
  };
  CFormatOptions files;
  files.trim = choices.trim;
  files.padding = choices.padding;
  files.version = ExportAppVersion();
  files.cancel = &m_Cancel;
  m_Worker = std::thread(
      [this, snapshot = std::move(snapshot), draw, format = choices.format, files]() mutable {
        m_Ok = ExportSnapshot(snapshot, draw, format, files, m_Folder, &m_Written, &m_Error);
        m_Done.store(true, std::memory_order_release);
      });
}

CExportSheetJob::~CExportSheetJob() {
  m_Cancel = true;
  if (m_Worker.joinable()) {
    m_Worker.join();
  }
  delete m_Progress.data();
}

void CExportSheetJob::Poll() {
  const size_t total = m_Total;
  if (total > 0) {
    m_Progress->setValue(static_cast<int>(m_Drawn * (kBarSteps - 1) / total));
  }
  if (m_Done.load(std::memory_order_acquire)) {
    m_Timer->stop();
    m_Worker.join();
    Finish();
  }
}

void CExportSheetJob::Finish() {
  m_Progress->setValue(kBarSteps);
  m_Progress->hide();
  if (m_Ok) {
    UMessageRequest request;
    request.text =
        Text(res::kExportDone).arg(static_cast<qulonglong>(m_Written.size())).toStdString();
    request.buttons = UMessageButtons::YesNo;
    request.icon = UMessageIcon::Question;
    if (Prompts().ShowMessage(request) == UMessageAnswer::Yes) {
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_Folder)));
    }
  } else if (m_Error == kExportCancelled) {
    if (auto* window = qobject_cast<QMainWindow*>(m_Parent)) {
      window->statusBar()->showMessage(Text(res::kExportCancelledStatus));
    }
  } else {
    Prompts().Tell(Text(res::kExportFailed).arg(QString::fromStdString(m_Error)).toStdString(),
                   UMessageIcon::Warning);
  }
  deleteLater();
}
