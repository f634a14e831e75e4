#include "effects_file.h"

#include "project/track_layout.h"
#include "project/zdt_document.h"
#include "text_field.h"

namespace spurwerk::gen {

Bytes BuildEffectsFile(const EffectsSetup& setup) {
    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(EffectsFileSize, 0));
    doc.WriteZDTByte(layout::EfxInsertOffOffset, setup.insertOff ? 1 : 0);
    doc.WriteZDTByte(layout::EfxSendOffOffset,
                     static_cast<std::uint8_t>((setup.chorusOff ? 1 : 0) | (setup.reverbOff ? 2 : 0)));
    doc.WriteZDTByte(layout::EfxInsertNumberOffset, setup.insertNumber);
    WriteTextField(doc, layout::EfxInsertNameOffset, layout::EfxNameLength, setup.insertName);
    doc.WriteZDTByte(layout::EfxChorusNumberOffset, setup.chorusNumber);
    WriteTextField(doc, layout::EfxChorusNameOffset, layout::EfxNameLength, setup.chorusName);
    doc.WriteZDTByte(layout::EfxReverbNumberOffset, setup.reverbNumber);
    WriteTextField(doc, layout::EfxReverbNameOffset, layout::EfxNameLength, setup.reverbName);
    return doc.ZDTData();
}

}  // namespace spurwerk::gen
