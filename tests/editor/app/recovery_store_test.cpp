// The recovery copies on disk: the note, the store's scan with real files and locks, and the
// writer that keeps an editor's copy while its document has unsaved changes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>
#include <QTest>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/foundation/archive_memory.h"
#include "editor/app/recovery_note.h"
#include "editor/app/recovery_store.h"
#include "editor/app/recovery_writer.h"
#include "editor/doc/vello_doc.h"
#include "editor/doc/vello_editor.h"
#include "editor/services/recent_files.h"
#include "tests/editor/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<unsigned char> StoredForm(const char* name, int frames) {
  UObjActor actor;
  actor.Init();
  actor.name = UName(name);
  for (int i = 0; i < frames; ++i) {
    actor.AddFrame(new UObjFrame());
  }
  UArchiveMemory archive;
  archive.Open(nullptr, ArWrite);
  archive << actor;
  archive.Close();
  return archive.GetBuffer();
}

std::vector<unsigned char> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

CRecoveryNote SampleNote() {
  CRecoveryNote note;
  note.documentPath = "/home/ann/角色/odd\\name\nwith\rbreaks.an1";
  note.title = "odd.an1";
  note.time = "2026-12-07T16:20:05Z";
  note.texturePaths = {"/home/ann/角色/hero.png", "", "/tmp/b.bmp"};
  return note;
}

bool SameNote(const CRecoveryNote& a, const CRecoveryNote& b) {
  return a.documentPath == b.documentPath && a.title == b.title && a.time == b.time &&
         a.texturePaths == b.texturePaths;
}

// The lock file an editor that died leaves: the id of a process that has ended.
std::vector<unsigned char> StaleLock() {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(0);
  }
  ::waitpid(child, nullptr, 0);
  return Bytes(std::to_string(child) + "\nquillet\n\n");
}

bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
}

// The recovery files left in `folder`.
int FilesIn(const std::string& folder) {
  if (!std::filesystem::exists(folder)) {
    return 0;
  }
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
    ++count;
  }
  return count;
}

}  // namespace

TEST(RecoveryNote, RoundTripsAnyPathAndRefusesDamagedNotes) {
  const CRecoveryNote note = SampleNote();
  const std::string text = WriteRecoveryNote(note);
  CRecoveryNote read;
  ASSERT_EQ(ReadRecoveryNote(text, &read), "");
  EXPECT_TRUE(SameNote(read, note));
  // A note with no texture and an empty path (a document never saved).
  CRecoveryNote bare;
  bare.title = "Untitled";
  bare.time = "2026-01-31T00:00:00Z";
  ASSERT_EQ(ReadRecoveryNote(WriteRecoveryNote(bare), &read), "");
  EXPECT_TRUE(SameNote(read, bare));

  const std::string end = "end\n";
  const std::string body = text.substr(0, text.size() - end.size());
  const std::vector<std::string> damaged = {
      "",
      "garbage\n",
      "quillet-recovery 2\ndocument=\ntitle=\ntime=2026-12-07T16:20:05Z\nend\n",
      body,                          // cut before "end"
      text.substr(0, 30),            // cut inside the fields
      text + "texture=/late.png\n",  // a line after the end
      body + "colour=red\n" + end,   // an unknown line
      "quillet-recovery 1\ntitle=a\ndocument=b\ntime=2026-12-07T16:20:05Z\nend\n",
      "quillet-recovery 1\ndocument=a\\q\ntitle=b\ntime=2026-12-07T16:20:05Z\nend\n",
      "quillet-recovery 1\ndocument=a\\\ntitle=b\ntime=2026-12-07T16:20:05Z\nend\n",
      "quillet-recovery 1\ndocument=a\ntitle=b\ntime=2026-13-07T16:20:05Z\nend\n",
      "quillet-recovery 1\ndocument=a\ntitle=b\ntime=yesterday\nend\n",
      "quillet-recovery 1\ndocument=\xC0\xAF\ntitle=b\ntime=2026-12-07T16:20:05Z\nend\n",
      std::string("quillet-recovery 1\ndocument=a\0b\ntitle=b\ntime=2026-12-07T16:20:05Z\nend\n",
                  66),
      std::string(kMaxRecoveryNoteSize + 1, 'x'),
  };
  for (const std::string& bad : damaged) {
    EXPECT_NE(ReadRecoveryNote(bad, &read), "") << bad.substr(0, 80);
  }
}

TEST(RecoveryStore, OffersCopiesNoEditorHoldsAndNamesTheUnreadableOnes) {
  TempDir dir;
  const QString folder = QString::fromStdString(dir.File("recovery"));
  std::string error;

  // A whole copy, written as the writer writes it, its lock then left as a crash leaves it.
  const std::vector<unsigned char> good_form = StoredForm("good", 3);
  auto good = CRecoveryCopy::CreateLocked(folder, &error);
  ASSERT_NE(good, nullptr) << error;
  ASSERT_TRUE(WriteRecoveryFiles(good->CopyPath(), good_form, good->NotePath(),
                                 WriteRecoveryNote(SampleNote()), &error))
      << error;
  const std::string good_id = good->Id().toStdString();
  good.reset();
  WriteFileBytes(dir.File("recovery/" + good_id + ".lock"), StaleLock());

  // A copy cut short, a copy with a damaged note, one without a note, and a lock left alone.
  const auto write = [&](const std::string& name, const std::vector<unsigned char>& bytes) {
    WriteFileBytes(dir.File("recovery/" + name), bytes);
  };
  const std::vector<unsigned char> cut(good_form.begin(), good_form.end() - 5);
  write("cut.an1", cut);
  write("cut.note", Bytes(WriteRecoveryNote(SampleNote())));
  write("badnote.an1", good_form);
  write("badnote.note", Bytes("quillet-recovery 1\ndocument=x\n"));
  write("nonote.an1", good_form);
  write("bare.lock", StaleLock());
  // A file without an id is none of the writer's.
  write(".an1", good_form);

  // A copy another editor is writing: its lock is held.
  auto live = CRecoveryCopy::CreateLocked(folder, &error);
  ASSERT_NE(live, nullptr) << error;
  ASSERT_TRUE(WriteRecoveryFiles(live->CopyPath(), good_form, live->NotePath(),
                                 WriteRecoveryNote(SampleNote()), &error));
  const std::string live_id = live->Id().toStdString();

  std::vector<CFoundRecovery> found = FindRecoveryCopies(folder);
  ASSERT_EQ(found.size(), 4u);
  std::map<std::string, CFoundRecovery*> by_id;
  for (CFoundRecovery& entry : found) {
    by_id[entry.copy->Id().toStdString()] = &entry;
  }
  ASSERT_EQ(by_id.count(live_id), 0u);
  ASSERT_EQ(by_id.count(good_id), 1u);
  const CFoundRecovery& whole = *by_id[good_id];
  EXPECT_EQ(whole.offer.problem, "");
  EXPECT_EQ(whole.offer.title, "odd.an1");
  EXPECT_EQ(whole.offer.documentPath, SampleNote().documentPath);
  EXPECT_EQ(whole.offer.time, "2026-12-07T16:20:05Z");
  EXPECT_EQ(whole.stored, good_form);
  EXPECT_TRUE(SameNote(whole.note, SampleNote()));
  ASSERT_EQ(by_id.count("cut"), 1u);
  EXPECT_NE(by_id["cut"]->offer.problem, "");
  EXPECT_TRUE(by_id["cut"]->stored.empty());
  // The copy cut short still shows what its note says.
  EXPECT_EQ(by_id["cut"]->offer.title, "odd.an1");
  // A whole copy without a readable note can be restored as a document never saved.
  for (const char* id : {"badnote", "nonote"}) {
    ASSERT_EQ(by_id.count(id), 1u) << id;
    EXPECT_EQ(by_id[id]->offer.problem, "") << id;
    EXPECT_EQ(by_id[id]->stored, good_form) << id;
    EXPECT_EQ(by_id[id]->offer.title, "Untitled") << id;
    EXPECT_EQ(by_id[id]->offer.documentPath, "") << id;
    EXPECT_TRUE(by_id[id]->note.texturePaths.empty()) << id;
    EXPECT_FALSE(by_id[id]->offer.time.empty()) << id;
  }
  EXPECT_FALSE(Exists(dir.File("recovery/bare.lock")));

  // While this scan holds them, a second scan (another editor starting) sees none of them.
  EXPECT_TRUE(FindRecoveryCopies(folder).empty());
  // Removing takes the copy, its note and its lock; the live copy stays untouched.
  by_id["cut"]->copy->Remove();
  EXPECT_FALSE(Exists(dir.File("recovery/cut.an1")));
  EXPECT_FALSE(Exists(dir.File("recovery/cut.note")));
  EXPECT_FALSE(Exists(dir.File("recovery/cut.lock")));
  EXPECT_TRUE(Exists(live->CopyPath()));
  // Kept copies come back once this scan lets them go.
  found.clear();
  EXPECT_EQ(FindRecoveryCopies(folder).size(), 3u);
  live->Remove();
  // Three copies with notes or without, and the file without an id.
  EXPECT_EQ(FilesIn(folder.toStdString()), 6);
}

TEST(RecoveryWriter, KeepsTheCopyCurrentWhileModifiedAndRemovesItWhenSaved) {
  TempDir dir;
  CurrentDirectory in_dir(dir.path());
  ScriptedPrompts prompts;
  const QString folder = QString::fromStdString(dir.File("recovery"));
  CVelloEditor editor;
  CVelloDoc doc(editor);
  doc.OnNewDocument();
  auto writer = std::make_unique<CRecoveryWriter>(editor, doc, folder);
  writer->SetDelay(std::chrono::milliseconds(20));

  // Nothing is written for an unmodified document.
  QTest::qWait(60);
  EXPECT_EQ(writer->Copy(), nullptr);

  editor.CreateFrame("第一");
  ASSERT_TRUE(QTest::qWaitFor([&] { return writer->Copy() != nullptr; }, 2000));
  writer->WaitForWrites();
  EXPECT_EQ(writer->LastError(), "");
  const std::string copy_path = writer->Copy()->CopyPath();
  const std::string note_path = writer->Copy()->NotePath();
  EXPECT_EQ(ReadFileBytes(copy_path), editor.StoredActor());
  CRecoveryNote note;
  const std::vector<unsigned char> note_bytes = ReadFileBytes(note_path);
  ASSERT_EQ(ReadRecoveryNote(std::string(note_bytes.begin(), note_bytes.end()), &note), "");
  EXPECT_EQ(note.documentPath, "");
  EXPECT_EQ(note.title, doc.Title());
  // The lock is held: another editor can neither take nor remove it.
  QLockFile other(QString::fromStdString(copy_path).replace(".an1", ".lock"));
  other.setStaleLockTime(0);
  EXPECT_FALSE(other.tryLock(0));

  // A later edit replaces the same copy.
  editor.CreateFrame("第二");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        writer->WaitForWrites();
        return ReadFileBytes(copy_path) == editor.StoredActor();
      },
      2000));

  // A save removes copy, note and lock.
  prompts.paths.push_back(dir.File("saved.an1"));
  ASSERT_TRUE(doc.OnFileSaveAs());
  EXPECT_EQ(writer->Copy(), nullptr);
  EXPECT_EQ(FilesIn(folder.toStdString()), 0);

  // An edit after the save makes a new copy; undoing back to the saved state removes it, and
  // redoing makes it again, which a normal exit (the writer going) removes.
  editor.CreateFrame("第三");
  ASSERT_TRUE(QTest::qWaitFor([&] { return writer->Copy() != nullptr; }, 2000));
  writer->WaitForWrites();
  EXPECT_EQ(FilesIn(folder.toStdString()), 3);
  editor.Undo();
  ASSERT_FALSE(editor.IsModified());
  EXPECT_EQ(writer->Copy(), nullptr);
  EXPECT_EQ(FilesIn(folder.toStdString()), 0);
  editor.Redo();
  ASSERT_TRUE(QTest::qWaitFor([&] { return writer->Copy() != nullptr; }, 2000));
  writer->WaitForWrites();
  EXPECT_EQ(ReadFileBytes(writer->Copy()->CopyPath()), editor.StoredActor());
  writer.reset();
  EXPECT_EQ(FilesIn(folder.toStdString()), 0);
}

TEST(RecoveryWriter, WritesWhileEditsGoOnAndSaysOnceWhenItCannot) {
  TempDir dir;
  CurrentDirectory in_dir(dir.path());
  ScriptedPrompts prompts;
  // A file where the folder should be: no lock can be made until it goes.
  const std::string blocker = dir.File("recovery");
  WriteFileBytes(blocker, Bytes("not a folder"));
  CVelloEditor editor;
  CVelloDoc doc(editor);
  doc.OnNewDocument();
  CRecoveryWriter writer(editor, doc, QString::fromStdString(blocker));
  writer.SetDelay(std::chrono::milliseconds(1000));
  writer.SetLongestWait(std::chrono::milliseconds(150));
  std::vector<std::string> said;
  writer.SetProblemHandler([&](const std::string& text) { said.push_back(text); });

  // Edits every 20 ms never leave the delay quiet: the longest wait still writes, or tries.
  const auto edit_for = [&](int ms, const std::function<bool()>& until) {
    for (int waited = 0; waited < ms && !until(); waited += 20) {
      editor.CreateFrame("f");
      QTest::qWait(20);
    }
  };
  edit_for(700, [] { return false; });
  EXPECT_EQ(writer.Copy(), nullptr);
  EXPECT_NE(writer.LastError(), "");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("无法保存恢复副本"), std::string::npos);

  std::filesystem::remove(blocker);
  edit_for(3000, [&] { return writer.Copy() != nullptr; });
  ASSERT_NE(writer.Copy(), nullptr) << "no copy while the edits went on";
  writer.WaitForWrites();
  EXPECT_EQ(writer.LastError(), "");
  EXPECT_EQ(said.size(), 1u);

  // The note goes first: a copy that cannot be written leaves its note to say whose it is.
  std::string error;
  const std::string note_path = dir.File("recovery/first.note");
  std::filesystem::create_directories(dir.File("recovery/first.an1"));
  EXPECT_FALSE(
      WriteRecoveryFiles(dir.File("recovery/first.an1"), {1, 2}, note_path, "note", &error));
  EXPECT_EQ(ReadFileBytes(note_path), Bytes("note"));
}
