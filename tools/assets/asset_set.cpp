#include "asset_set.h"

#include "demo_song.h"
#include "glow_sprite.h"
#include "pcx_writer.h"
#include "terrain_map.h"
#include "title_cards.h"
#include "scene/show_facts.h"

namespace {

std::vector<std::uint8_t> makeShowFile(show::Part part)
{
    switch (part) {
    case show::Part::title1: return makeNameCard().toPcx();
    case show::Part::title2: return makeTaglineCard().toPcx();
    case show::Part::title3: return makeEmblemCard().toPcx();
    case show::Part::title4: return makeCreditsCard().toPcx();
    case show::Part::title5: return makeFarewellCard().toPcx();
    case show::Part::sprite: return makeGlowSprite().toPcx();
    case show::Part::terrain: return makeTerrainMap().toPcx();
    case show::Part::music: return makeDemoModule();
    }
    return {};
}

} // namespace

std::vector<AssetFile> makeShowAssets()
{
    std::vector<AssetFile> files;
    for (const show::File& file : show::files)
        files.push_back({file.name, makeShowFile(file.part)});
    return files;
}

std::string writeShowAssets(const std::vector<AssetFile>& files, const std::string& folder)
{
    for (const AssetFile& file : files) {
        if (!writeFileAtomically(folder + "/" + file.name, file.bytes))
            return file.name;
    }
    return std::string();
}
