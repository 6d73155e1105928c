#include "asset_set.h"

#include "demo_song.h"
#include "glow_sprite.h"
#include "pcx_writer.h"
#include "terrain_map.h"
#include "title_cards.h"

std::vector<AssetFile> makeShowAssets()
{
    std::vector<AssetFile> files;
    files.push_back({"data1.pcx", makeNameCard().toPcx()});
    files.push_back({"data2.pcx", makeTaglineCard().toPcx()});
    files.push_back({"data3.pcx", makeEmblemCard().toPcx()});
    files.push_back({"data4.pcx", makeCreditsCard().toPcx()});
    files.push_back({"data5.pcx", makeFarewellCard().toPcx()});
    files.push_back({"data6.pcx", makeGlowSprite().toPcx()});
    files.push_back({"data7.pcx", makeTerrainMap().toPcx()});
    files.push_back({"demo.xm", makeDemoModule()});
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
