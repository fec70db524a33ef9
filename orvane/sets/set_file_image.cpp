#include "set_file_image.h"

namespace orvane {

namespace {

TStreamValue ColumnsValue(const TColumnWidths& widths) {
    auto column = [](const char* caption, int width) {
        return TStreamItem{{"Caption", StringValue(caption)}, {"Width", IntegerValue(width)}};
    };
    return CollectionValue({column("Filename", widths.fileColumn),
                            column("Time", widths.timeColumn),
                            column("Path", widths.pathColumn)});
}

}  // namespace

TSetFileImage DefaultSongListImage(const TColumnWidths& widths) {
    TSetFileImage image;
    image.properties = {
        {"Left", IntegerValue(0)},
        {"Top", IntegerValue(0)},
        {"Width", IntegerValue(400)},
        {"Height", IntegerValue(300)},
        {"Align", IdentValue("alClient")},
        {"Columns", ColumnsValue(widths)},
        {"DragMode", IdentValue("dmAutomatic")},
        {"HideSelection", BoolValue(false)},
        {"MultiSelect", BoolValue(true)},
        {"ReadOnly", BoolValue(true)},
        {"RowSelect", BoolValue(true)},
        {"StateImages", IdentValue("StateImageList")},
        {"TabOrder", IntegerValue(0)},
        {"ViewStyle", IdentValue("vsReport")},
    };
    // The entries come last, where a file read without them would put them too.
    image.itemsIndex = image.properties.size();
    return image;
}

void SetImageColumns(TSetFileImage& image, const TColumnWidths& widths) {
    for (auto& property : image.properties) {
        if (property.name == "Columns") {
            property.value = ColumnsValue(widths);
            return;
        }
    }
    image.properties.push_back({"Columns", ColumnsValue(widths)});
}

}  // namespace orvane
