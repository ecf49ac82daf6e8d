// quillet-cli export DOC.an1... --out DIR [options]: draws the actions of documents and writes
// them as sprite sheets with JSON atlases, numbered PNGs or animated GIFs.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "exporter/export_batch.h"
#include "exporter/export_writer.h"
#include "tools/quillet-cli/command.h"
#include "tools/quillet-cli/picture_options.h"

namespace {

constexpr const char* kName = "export";
constexpr int kMaxSide = 16384;

struct ExportOptions {
  std::vector<std::string> documents;
  std::string out;
  ExportFormat format = ExportFormat::Sheet;
  CDrawOptions draw;
  CFormatOptions files;
  int jobs = 1;
};

const std::map<std::string, bool> kExportOptionNames = {
    {"--out", true},      {"--format", true}, {"--scale", true},    {"--padding", true},
    {"--max-size", true}, {"--pot", false},   {"--no-trim", false}, {"--keys", false},
    {"--fps", true},      {"--driver", true}, {"--textures", true}, {"--jobs", true}};

// A whole number from `low` to `high` for option `name`, or a usage error.
bool ReadBoundedInt(const ParsedArgs& parsed, const char* name, int low, int high, int* value,
                    std::string* error) {
  const auto found = parsed.options.find(name);
  if (found == parsed.options.end()) {
    return true;
  }
  const std::optional<int> number = ParseInt(found->second);
  if (!number || *number < low || *number > high) {
    *error = std::string(name) + " takes a whole number from " + std::to_string(low) + " to " +
             std::to_string(high) + ", not '" + found->second + "'";
    return false;
  }
  *value = *number;
  return true;
}

bool ReadExportOptions(const std::vector<std::string>& args, ExportOptions* options,
                       std::string* error) {
  // --action may be given several times; the other options once.
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--action") {
      rest.push_back(args[i]);
    } else if (i + 1 < args.size()) {
      options->draw.actions.push_back(args[++i]);
    } else {
      *error = "option '--action' needs a value";
      return false;
    }
  }
  ParsedArgs parsed;
  if (!ParseArgs(rest, kExportOptionNames, parsed, *error)) {
    return false;
  }
  options->documents = parsed.positional;
  if (options->documents.empty()) {
    *error = "expected at least one DOC.an1 (see quillet-cli export --help)";
    return false;
  }
  const auto value = [&parsed](const char* name) -> const std::string* {
    const auto found = parsed.options.find(name);
    return found == parsed.options.end() ? nullptr : &found->second;
  };
  if (const std::string* out = value("--out"); out != nullptr && !out->empty()) {
    options->out = *out;
  } else {
    *error = "--out DIR is required";
    return false;
  }
  if (const std::string* format = value("--format")) {
    if (*format == "sheet") {
      options->format = ExportFormat::Sheet;
    } else if (*format == "png") {
      options->format = ExportFormat::PngSequence;
    } else if (*format == "gif") {
      options->format = ExportFormat::Gif;
    } else {
      *error = "--format takes sheet, png or gif, not '" + *format + "'";
      return false;
    }
  }
  if (const std::string* driver = value("--driver")) {
    if (*driver != "gdi" && *driver != "accel") {
      *error = "--driver takes gdi or accel, not '" + *driver + "'";
      return false;
    }
    options->draw.driver = *driver;
  }
  if (const std::string* fps = value("--fps")) {
    const std::optional<float> rate = ParseFloat(*fps);
    if (!rate || !std::isfinite(*rate) || *rate <= 0.0f || *rate > 1e6f) {
      *error = "--fps takes a number above 0, not '" + *fps + "'";
      return false;
    }
    options->draw.fps = *rate;
  }
  if (const std::string* textures = value("--textures")) {
    options->draw.textures = *textures;
  }
  options->jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  if (!ReadBoundedInt(parsed, "--scale", 1, 8, &options->draw.scale, error) ||
      !ReadBoundedInt(parsed, "--padding", 0, 1024, &options->files.padding, error) ||
      !ReadBoundedInt(parsed, "--max-size", 1, kMaxSide, &options->files.maxSize, error) ||
      !ReadBoundedInt(parsed, "--jobs", 1, 256, &options->jobs, error)) {
    return false;
  }
  options->draw.maxSize = options->files.maxSize;
  options->draw.keysOnly = value("--keys") != nullptr;
  options->files.trim = value("--no-trim") == nullptr;
  options->files.powerOfTwo = value("--pot") != nullptr;
  options->files.version = QUILLET_VERSION;
  return true;
}

// Shows how many documents are done on a terminal's stderr; silent anywhere else.
class ProgressBar {
 public:
  explicit ProgressBar(size_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

  void Step() {
    const std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (!shown_) {
      return;
    }
    constexpr size_t kWidth = 30;
    const size_t filled = done_ * kWidth / total_;
    std::fprintf(stderr, "\r[%s%s] %zu/%zu", std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, ' ').c_str(), done_, total_);
    if (done_ == total_) {
      std::fputc('\n', stderr);
    }
    std::fflush(stderr);
  }

 private:
  std::mutex mutex_;
  size_t total_;
  size_t done_ = 0;
  bool shown_;
};

int RunExport(const std::vector<std::string>& args) {
  ExportOptions options;
  std::string error;
  if (!ReadExportOptions(args, &options, &error)) {
    return ReportError(kName, error, kExitUsage);
  }
  if (!MakeExportFolder(options.out, &error)) {
    return ReportError(kName, error, kExitBadInput);
  }

  ProgressBar progress(options.documents.size());
  std::vector<CDocumentExport> results =
      ExportDocuments(options.documents, options.draw, options.format, options.files, options.jobs,
                      [&progress] { progress.Step(); });
  const std::filesystem::path folder(options.out);
  int status = kExitOk;
  for (size_t i = 0; i < results.size(); ++i) {
    CDocumentExport& result = results[i];
    for (size_t f = 0; result.ok && f < result.files.size(); ++f) {
      result.ok = WriteExportFile(folder, result.files[f], &result.error);
    }
    if (!result.ok) {
      status = ReportError(kName, options.documents[i] + ": " + result.error, kExitBadInput);
    }
    result = CDocumentExport();
  }
  return status;
}

}  // namespace

const CliCommand kExportCommand = {
    kName,
    "export actions as sprite sheets, PNG sequences or GIFs",
    "Usage: quillet-cli export DOC.an1... --out DIR [--action NAME]... [--format sheet|png|gif]\n"
    "         [--scale N] [--padding N] [--max-size N] [--pot] [--no-trim] [--keys] [--fps F]\n"
    "         [--driver gdi|accel] [--textures DIR] [--jobs N]\n"
    "Draws the actions of each document, one picture for every tick from an action's first key\n"
    "to its last, exactly as 'quillet-cli render --transparent' draws them, all pictures of an\n"
    "action on one canvas holding every picture and the origin, and writes them into DIR (made\n"
    "when missing). Files are named <actor>_<action> and a page or picture number; characters\n"
    "file systems refuse become '_', and names that clash are numbered in command-line order.\n"
    "  --out DIR          the output folder (required)\n"
    "  --action NAME      export this action; give it again for more (default: every action)\n"
    "  --format FORMAT    sheet: packed pages, each with a JSON atlas (the default);\n"
    "                     png: one PNG per picture at the whole canvas, with one JSON;\n"
    "                     gif: one looping animated GIF per action\n"
    "  --scale N          draw at zoom N, 1 to 8 (default 1)\n"
    "  --padding N        pixels between pictures on a sheet page, 0 to 1024 (default 1)\n"
    "  --max-size N       the largest page or picture side, 1 to 16384 (default 2048); a\n"
    "                     larger picture fails its document\n"
    "  --pot              sheet pages with power-of-two sides\n"
    "  --no-trim          keep each picture's whole canvas on the sheet\n"
    "  --keys             only the pictures where keys start\n"
    "  --fps F            ticks a second for the durations (default: 'fps' under [SETTING]\n"
    "                     of anmcfg.ini in the current folder, else 30)\n"
    "  --driver DRIVER    gdi: the software driver (the default); accel: the accelerated one\n"
    "                     on a headless OpenGL context, one document at a time\n"
    "  --textures DIR     where the textures are (default: each document's folder); a missing\n"
    "                     texture fails its document\n"
    "  --jobs N           documents exported at once, 1 to 256 (default: every core)\n"
    "A progress bar shows on standard error when it is a terminal. Exit status: 0 when every\n"
    "document was exported; 1 when one could not be (the others still are; each failure is\n"
    "named with its reason); 2 for a usage error.\n",
    RunExport,
};
