// AssetSet -- every file of dat/ that the generators make, written into one folder.
#include "tools/assets/AssetSet.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/assets/BrokenWorldPicture.h"
#include "tools/assets/FarrowTune.h"
#include "tools/assets/FusionPicture.h"
#include "tools/assets/IconPicture.h"
#include "tools/assets/PortTownPicture.h"
#include "tools/assets/SoundEffects.h"

namespace AssetSet {

std::vector<File> Generate() {
  std::vector<File> files;
  files.push_back({"a.bmp", PortTown::Paint().ToBmp()});
  files.push_back({"a2.bmp", BrokenWorld::Paint().ToBmp()});
  files.push_back({"una.bmp", Fusion::Paint().ToBmp()});
  for (const SoundEffects::Effect& e : SoundEffects::MakeAll()) files.push_back({e.name, Synth::ToWav(e.samples)});
  files.push_back({"farrow.mid", FarrowTune::Build()});
  files.push_back({"icon.bmp", Icon::Paint().ToBmp()});
  return files;
}

void WriteAll(const std::string& folder) {
  std::filesystem::create_directories(folder);
  for (const File& f : Generate()) {
    std::string path = folder + "/" + f.name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(f.bytes.data()), static_cast<std::streamsize>(f.bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace AssetSet
