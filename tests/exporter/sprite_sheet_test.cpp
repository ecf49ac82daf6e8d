#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

#include "exporter/picture_trim.h"
#include "exporter/png_sequence.h"
#include "exporter/sprite_sheet.h"
#include "tests/support/png_reader.h"

namespace {

// A w × h picture whose pixel (x, y) is `seed`-dependent colour inside [x0, x1) × [y0, y1).
CExportPicture Blob(int w, int h, int x0, int y0, int x1, int y1, int seed, uint32_t ms) {
  CExportPicture picture;
  std::vector<uint8_t> canvas(static_cast<size_t>(w) * h * 4, 0);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      uint8_t* p = &canvas[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<uint8_t>(seed * 40 + x);
      p[1] = static_cast<uint8_t>(y * 20);
      p[2] = static_cast<uint8_t>(seed);
      p[3] = static_cast<uint8_t>(128 + x + y);
    }
  }
  picture.bits =
      std::make_shared<const CPictureBits>(TrimPicture(canvas.data(), w, w, h, PixelOrder::Rgba));
  picture.durationMs = ms;
  picture.frameName = "帧" + std::to_string(seed);
  picture.collision = URect(1, 2, 4, 6);
  picture.tags.push_back({"hit \"点\"", 3, -4, URect(0, 1, 2, 3)});
  return picture;
}

CExportAction Action(const std::string& name, int w, int h, std::vector<CExportPicture> pictures) {
  return {name, w, h, w / 2, h - 1, std::move(pictures)};
}

CFormatOptions Options(int max_size = 2048, bool pot = false) {
  CFormatOptions options;
  options.maxSize = max_size;
  options.powerOfTwo = pot;
  options.version = "Quillet 0.1.0";
  options.baseName = "英雄";
  options.actionFileNames = {"a"};
  return options;
}

QJsonObject ParseJson(const CExportFile& file) {
  return QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(file.bytes.data()),
                                            static_cast<qsizetype>(file.bytes.size())))
      .object();
}

const CExportPicture& PictureNamed(const CExportDocument& document, const QString& key) {
  const QString action = key.section('/', 0, -2);
  for (const CExportAction& a : document.actions) {
    if (QString::fromStdString(a.name) == action) {
      return a.pictures.at(key.section('/', -1).toUInt());
    }
  }
  throw std::runtime_error("no action for " + key.toStdString());
}

// Cuts every frame of every page out by its atlas entry, places it in its canvas and compares
// it with the picture it came from; checks that frames on a page keep the padding apart.
// Returns the number of frames found.
int CheckPagesRebuildPictures(const std::vector<CExportFile>& files,
                              const CExportDocument& document, int padding) {
  std::map<std::string, const CExportFile*> by_name;
  for (const CExportFile& file : files) {
    by_name[file.name] = &file;
  }
  int frames_found = 0;
  for (const CExportFile& file : files) {
    if (!file.name.ends_with(".json")) {
      continue;
    }
    const QJsonObject atlas = ParseJson(file);
    const QJsonObject meta = atlas["meta"].toObject();
    const DecodedPng page = DecodePng(by_name.at(meta["image"].toString().toStdString())->bytes);
    EXPECT_EQ(page.w, meta["size"].toObject()["w"].toInt());
    EXPECT_EQ(page.h, meta["size"].toObject()["h"].toInt());
    std::vector<QJsonObject> rects;
    const QJsonObject frames = atlas["frames"].toObject();
    for (auto it = frames.begin(); it != frames.end(); ++it, ++frames_found) {
      const CExportPicture& source = PictureNamed(document, it.key());
      const QJsonObject frame = it.value().toObject()["frame"].toObject();
      const QJsonObject at = it.value().toObject()["spriteSourceSize"].toObject();
      const int cw = it.value().toObject()["sourceSize"].toObject()["w"].toInt();
      const int ch = it.value().toObject()["sourceSize"].toObject()["h"].toInt();
      std::vector<uint8_t> rebuilt(static_cast<size_t>(cw) * ch * 4, 0);
      for (int y = 0; y < frame["h"].toInt(); ++y) {
        for (int x = 0; x < frame["w"].toInt(); ++x) {
          const size_t from =
              (static_cast<size_t>(frame["y"].toInt() + y) * page.w + frame["x"].toInt() + x) * 4;
          const size_t to =
              (static_cast<size_t>(at["y"].toInt() + y) * cw + at["x"].toInt() + x) * 4;
          std::copy_n(page.rgba.begin() + from, 4, rebuilt.begin() + to);
        }
      }
      EXPECT_EQ(rebuilt, CanvasPixels(*source.bits, cw, ch)) << it.key().toStdString();
      EXPECT_EQ(it.value().toObject()["duration"].toInt(), static_cast<int>(source.durationMs));
      for (const QJsonObject& other : rects) {
        const bool same = other == frame;  // identical pictures share their pixels
        const bool apart =
            frame["x"].toInt() >= other["x"].toInt() + other["w"].toInt() + padding ||
            other["x"].toInt() >= frame["x"].toInt() + frame["w"].toInt() + padding ||
            frame["y"].toInt() >= other["y"].toInt() + other["h"].toInt() + padding ||
            other["y"].toInt() >= frame["y"].toInt() + frame["h"].toInt() + padding;
        EXPECT_TRUE(same || apart) << it.key().toStdString();
      }
      rects.push_back(frame);
    }
  }
  return frames_found;
}

}  // namespace

TEST(SpriteSheet, PagesAndAtlasGiveBackEveryPicture) {
  CExportDocument document;
  document.scale = 2;
  document.actions.push_back(Action("走路", 12, 9,
                                    {Blob(12, 9, 2, 1, 7, 5, 1, 33), Blob(12, 9, 2, 1, 7, 5, 1, 34),
                                     Blob(12, 9, 0, 0, 0, 0, 0, 33)}));
  document.actions.push_back(
      Action("run \"fast\"", 8, 8, {Blob(8, 8, 0, 0, 8, 8, 2, 50), Blob(8, 8, 3, 3, 5, 6, 3, 50)}));
  std::vector<CExportFile> files;
  std::string error;
  ASSERT_TRUE(BuildSpriteSheet(document, Options(), &files, &error)) << error;
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, "英雄.png");
  EXPECT_EQ(CheckPagesRebuildPictures(files, document, 1), 5);

  const QJsonObject atlas = ParseJson(files[1]);
  const QJsonObject frames = atlas["frames"].toObject();
  EXPECT_EQ(frames["走路/0"].toObject()["frame"], frames["走路/1"].toObject()["frame"]);
  const QJsonObject empty = frames["走路/2"].toObject();
  EXPECT_TRUE(empty["trimmed"].toBool());
  EXPECT_EQ(empty["frame"].toObject()["w"].toInt(), 1);
  EXPECT_FALSE(frames["run \"fast\"/0"].toObject()["trimmed"].toBool());
  const QJsonObject walk = frames["走路/0"].toObject();
  EXPECT_DOUBLE_EQ(walk["pivot"].toObject()["x"].toDouble(), 0.5);
  EXPECT_EQ(walk["anchor"], walk["pivot"]);
  EXPECT_EQ(walk["quillet"].toObject()["frame"].toString(), "帧1");
  EXPECT_EQ(walk["quillet"].toObject()["collision"].toObject()["h"].toInt(), 4);
  EXPECT_EQ(walk["quillet"].toObject()["tags"].toArray()[0].toObject()["name"], "hit \"点\"");
  EXPECT_EQ(atlas["animations"].toObject()["走路"].toArray().size(), 3);
  const QJsonObject meta = atlas["meta"].toObject();
  EXPECT_EQ(meta["scale"].toString(), "2");
  EXPECT_EQ(meta["app"].toString(), "Quillet");
  const QJsonArray tags = meta["frameTags"].toArray();
  ASSERT_EQ(tags.size(), 2);
  EXPECT_EQ(tags[1].toObject()["from"].toInt(), 3);
  EXPECT_EQ(tags[1].toObject()["to"].toInt(), 4);
  EXPECT_FALSE(meta.contains("related_multi_packs"));
}

TEST(SpriteSheet, SplitsPagesAtTheLargestPowerOfTwoSide) {
  CExportDocument document;
  std::vector<CExportPicture> pictures;
  for (int seed = 1; seed <= 5; ++seed) {
    pictures.push_back(Blob(7, 7, 0, 0, 7, 7, seed, 10));
  }
  document.actions.push_back(Action("idle", 7, 7, pictures));
  document.actions.push_back(Action("jump", 7, 7, {pictures[0]}));
  std::vector<CExportFile> files;
  std::string error;
  ASSERT_TRUE(BuildSpriteSheet(document, Options(24, true), &files, &error)) << error;
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[3].name, "英雄_1.json");
  EXPECT_EQ(CheckPagesRebuildPictures(files, document, 1), 6);
  for (const size_t json : {1u, 3u}) {
    const QJsonObject meta = ParseJson(files[json])["meta"].toObject();
    EXPECT_EQ(meta["size"].toObject()["w"].toInt(), json == 1 ? 16 : 8);  // the last page shrinks
    EXPECT_EQ(meta["frameTags"].toArray().size(), 2);
    EXPECT_EQ(meta["related_multi_packs"].toArray()[0].toString(),
              json == 1 ? "英雄_1.json" : "英雄_0.json");
  }

  document.actions.push_back(Action("big", 17, 3, {Blob(17, 3, 0, 0, 17, 3, 9, 10)}));
  files.clear();
  EXPECT_FALSE(BuildSpriteSheet(document, Options(24, true), &files, &error));
  EXPECT_NE(error.find("big/0 is 17x3, larger"), std::string::npos) << error;
}

TEST(PngSequence, OnePictureAFileWithOneAtlas) {
  CExportDocument document;
  document.actions.push_back(
      Action("走路", 5, 4, {Blob(5, 4, 1, 1, 3, 3, 1, 20), Blob(5, 4, 0, 0, 0, 0, 2, 21)}));
  std::vector<CExportFile> files;
  std::string error;
  ASSERT_TRUE(BuildPngSequence(document, Options(), &files, &error)) << error;
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[1].name, "英雄_a_0001.png");
  const QJsonObject frames = ParseJson(files[2])["frames"].toObject();
  for (int i = 0; i < 2; ++i) {
    const QJsonObject frame = frames[QString("走路/%1").arg(i)].toObject();
    EXPECT_EQ(frame["filename"].toString().toStdString(), files[i].name);
    EXPECT_EQ(frame["frame"].toObject()["w"].toInt(), 5);
    EXPECT_EQ(DecodePng(files[i].bytes).rgba,
              CanvasPixels(*document.actions[0].pictures[i].bits, 5, 4));
  }
}
