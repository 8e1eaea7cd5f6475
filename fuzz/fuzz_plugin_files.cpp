// The plugin registry file, the plugin helper's reply and the file type
// keys, from arbitrary bytes. The first byte picks which.
//  - Registry: one record per whole 512 bytes, captions and file names of at
//    most 255 bytes; the written file is the records only and reads back to
//    itself.
//  - Reply: a reply that decodes encodes back to exactly the same bytes.
//  - File type keys: a key that is accepted is lower case (again lowering it
//    changes nothing), holds no "]", "/" or line break, and the INI file
//    can write it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/ini_file.h"
#include "core/filetypes/file_types.h"
#include "core/plugins/plugin_protocol.h"
#include "core/plugins/plugin_registry.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 3) {
    case 0: {
      kiv::PluginRegistry reg;
      reg.parse(input);
      FUZZ_CHECK(reg.records().size() == input.size() / kiv::PluginRegistry::kRecordSize);
      for (const auto& r : reg.records()) FUZZ_CHECK(r.caption.size() <= 255 && r.fileName.size() <= 255);
      const std::string written = reg.serialize();
      FUZZ_CHECK(written.size() == reg.records().size() * kiv::PluginRegistry::kRecordSize);
      kiv::PluginRegistry back;
      back.parse(written);
      FUZZ_CHECK(back.serialize() == written);
      for (std::size_t i = 0; i < reg.records().size(); ++i)
        FUZZ_CHECK(back.records()[i].caption == reg.records()[i].caption &&
                   back.records()[i].fileName == reg.records()[i].fileName);
      break;
    }
    case 1: {
      if (const auto reply = kiv::pluginwire::decodeReply(input))
        FUZZ_CHECK(kiv::pluginwire::encodeReply(*reply) == input);
      break;
    }
    default: {
      std::string why;
      if (const auto key = kiv::FileTypes::normalizeKey(input, &why)) {
        FUZZ_CHECK(!key->empty());
        FUZZ_CHECK(key->find_first_of("]/\r\n") == std::string::npos);
        FUZZ_CHECK(kiv::lowerNameCase(*key) == *key);
        FUZZ_CHECK(kiv::IniFile::canWrite(*key, "Viewer", ""));
      } else {
        FUZZ_CHECK(!why.empty());
      }
    }
  }
  return 0;
}
