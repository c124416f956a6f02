#include "host/kicad/kicad_export.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "host/kicad/kicad_library.h"
#include "host/kicad/kicad_symbol_builder.h"
#include "host/kicad/kicad_symbol_writer.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "platform/temp_file.h"

namespace {

constexpr size_t kListed = 12;

bool EndsWith(const CString& text, std::string_view end) {
  return text.str().size() > end.size() && text.str().ends_with(end);
}

std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size() && i < kListed; ++i) text += (i == 0 ? "" : ", ") + names[i];
  if (names.size() > kListed) text += " and " + std::to_string(names.size() - kListed) + " more";
  return text;
}

std::string Counted(size_t count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

bool CheckPaths(const CKicadExport::Options& options, CString& error) {
  if (!EndsWith(options.output, KicadLibrary::kSymbolExtension)) {
    error.FormatMessage("\"%1\" is no .kicad_sym file name.", options.output);
    return false;
  }
  if (!options.footprintFolder.IsEmpty() &&
      !EndsWith(options.footprintFolder, KicadLibrary::kFootprintFolderExtension)) {
    error.FormatMessage("\"%1\" is no .pretty folder name.", options.footprintFolder);
    return false;
  }
  std::error_code code;
  const std::filesystem::path parent = std::filesystem::absolute(options.output.str(), code).parent_path();
  if (code || !std::filesystem::is_directory(parent, code)) {
    error.FormatMessage("Cannot write \"%1\": there is no folder \"%2\".", options.output,
                        CString(parent.string()));
    return false;
  }
  return true;
}

std::string Nickname(const CKicadExport::Options& options) {
  if (!options.footprintLibrary.IsEmpty()) return options.footprintLibrary.str();
  std::string folder = options.footprintFolder.str();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return std::filesystem::path(folder).stem().string();
}

bool RefuseName(const char* what, const std::string& name, CString& error) {
  std::string refused;
  if (CKicadSymbolBuilder::IsValidName(name, refused)) return true;
  if (name.empty())
    error.FormatMessage("The %1 is empty; KiCad needs a name.", CString(what));
  else
    error.FormatMessage("\"%1\" cannot be the name of a %2 in KiCad: a name cannot hold %3.", CString(name),
                        CString(what), CString(refused));
  return false;
}

std::string ListUnnumbered(const std::vector<CKicadSymbolBuilder::Unnumbered>& unnumbered) {
  std::string text = Counted(unnumbered.size(), "terminal") + (unnumbered.size() == 1 ? " has" : " have") +
                     " no pin in the package:";
  for (size_t i = 0; i < unnumbered.size() && i < 4; ++i) text += (i == 0 ? " " : "; ") + unnumbered[i].where;
  if (unnumbered.size() > 4) text += " and " + std::to_string(unnumbered.size() - 4) + " more";
  return text;
}

}  // namespace

bool CKicadExport::Build(const Options& options, const std::vector<Source>& sources, Files& files,
                         Summary& summary, CString& error) {
  summary = Summary{options.output, options.footprintFolder, {}, {}, {}};
  const std::string nickname = Nickname(options);
  if (!options.footprintFolder.IsEmpty() && !RefuseName("footprint library", nickname, error)) return false;
  CKicadSymbolBuilder builder(
      {options.componentLibrary, !options.footprintFolder.IsEmpty(), CString(nickname)});
  std::vector<CKicadSymbolWriter::Symbol> symbols;
  std::map<std::string, std::string> makers;
  for (const Source& source : sources) {
    for (const CComponent* record : source.records) {
      const bool several = source.records.size() > 1;
      const std::string name =
          source.name.str() + (several ? "_" + record->GetPackage().str() : std::string());
      const std::string maker = "component " + source.name.str() +
                                (several ? ", package " + record->GetPackage().str() : std::string());
      if (record->GetScmComponent() == nullptr || record->CountGates() == 0) {
        summary.notes.push_back(CString(maker + " has no gates to draw; it is left out."));
        continue;
      }
      if (!RefuseName("symbol", name, error)) return false;
      const auto [clash, added] = makers.emplace(name, maker);
      if (!added) {
        error.FormatMessage("Two symbols would be named \"%1\": %2 and %3.", CString(name),
                            CString(clash->second), CString(maker));
        return false;
      }
      if (!builder.Build(source.name, *record, name, symbols.emplace_back(), error)) return false;
      summary.symbols.push_back(name);
    }
  }
  if (!builder.UnnumberedTerminals().empty()) {
    if (!options.leaveUnnumbered) {
      error = CString(ListUnnumbered(builder.UnnumberedTerminals()) +
                      ". Assign their pins, or allow unnumbered pins to write them without a number.");
      return false;
    }
    summary.notes.push_back(CString(ListUnnumbered(builder.UnnumberedTerminals()) + "; written unnumbered."));
  }
  summary.notes.insert(summary.notes.end(), builder.Notes().begin(), builder.Notes().end());
  files.symbolLibrary = CKicadSymbolWriter::Format(symbols);
  files.footprints.clear();
  for (const auto& [name, footprint] : builder.Footprints()) {
    files.footprints.emplace_back(name + std::string(KicadLibrary::kFootprintExtension), footprint.text);
    summary.footprints.push_back(name);
  }
  return true;
}

bool CKicadExport::Export(const Options& options, const std::vector<Source>& sources, Summary& summary,
                          CString& error) {
  if (!CheckPaths(options, error)) return false;
  Files files;
  if (!Build(options, sources, files, summary, error)) return false;
  if (!files.footprints.empty()) {
    std::error_code code;
    std::filesystem::create_directories(options.footprintFolder.str(), code);
    if (code) {
      error.FormatMessage("Cannot make the folder \"%1\": %2.", options.footprintFolder,
                          CString(code.message()));
      return false;
    }
  }
  // The footprints first: the symbol library names them.
  for (const auto& [fileName, text] : files.footprints) {
    const CString path((std::filesystem::path(options.footprintFolder.str()) / fileName).string());
    if (!WriteFileAtomically(path, text, error)) return false;
  }
  return WriteFileAtomically(options.output, files.symbolLibrary, error);
}

bool CKicadExport::ExportLibrary(const Options& options, const std::vector<CString>& names, Summary& summary,
                                 CString& error) {
  std::vector<LibraryEntry> entries;
  if (!CComponentLibraryFile::ReadContents(options.componentLibrary, entries, error)) return false;
  std::vector<CString> chosen;
  for (const CString& name : names) {
    auto found = entries.begin();
    while (found != entries.end() && found->name.CompareNoCase(name) != 0) ++found;
    if (found == entries.end()) {
      error.FormatMessage("There is no component \"%1\" in \"%2\".", name, options.componentLibrary);
      return false;
    }
    chosen.push_back(found->name);
  }
  if (names.empty()) {
    for (const LibraryEntry& entry : entries) chosen.push_back(entry.name);
  }
  std::vector<std::unique_ptr<CDesign>> designs;
  std::vector<Source> sources;
  for (const CString& name : chosen) {
    auto& design = designs.emplace_back(std::make_unique<CDesign>());
    if (!CComponentLibraryFile::LoadComponent(options.componentLibrary, name.c_str(), *design, error))
      return false;
    sources.push_back(SourceOf(*design, name));
  }
  return Export(options, sources, summary, error);
}

CKicadExport::Source CKicadExport::SourceOf(const CDesign& design, const CString& name) {
  Source source{name, {}};
  POSITION position = nullptr;
  for (const CComponent* record = design.FirstComponent(position, name.c_str()); record != nullptr;
       record = design.NextComponent(position, name.c_str()))
    source.records.push_back(record);
  return source;
}

CString CKicadExport::Summary::Describe() const {
  std::string text = "Wrote " + Counted(symbols.size(), "symbol") + " to " + output.str();
  text += symbols.empty() ? std::string(".") : ": " + Listed(symbols) + ".";
  if (!footprints.empty())
    text += "\nWrote " + Counted(footprints.size(), "footprint") + " to " + footprintFolder.str() + ": " +
            Listed(footprints) + ".";
  if (!notes.empty()) text += "\n\nLeft out or changed:";
  for (const CString& note : notes) text += "\n- " + note.str();
  return CString(text);
}
