// Pictures from the program's resources and from the game folder, and the composed pictures
// the game writes.
#include "app/lnf_game.h"
#include "pictures/jpeg.h"

namespace lnf {

Image TGame::LoadResourcePicture(const std::string& name) const {
    std::span<const uint8_t> bytes = app.resources.get(kJpegResource, name);
    return DecodeJpeg(bytes.data(), bytes.size()).image;
}

Image TGame::LoadFilePicture(const std::string& file) const {
    std::vector<uint8_t> bytes = app.files.read(file);
    try {
        return DecodeJpeg(bytes).image;
    } catch (const JpegError& e) {
        throw JpegError(std::string(e.what()) + " (" + NormalizeGameName(file) + ")");
    }
}

void TGame::SaveJpeg(const Image& image, const std::string& file) {
    // The composed pictures live in the player's own folder: a failed write leaves the
    // picture on screen and the rule goes on; the player hears of it once. The room shows
    // right even so: its picture is composed again when it is entered.
    try {
        app.files.write(file, EncodeJpeg(image));
    } catch (const FileError& e) {
        if (ReportOnce("write " + NormalizeGameName(file))) {
            app.platform.messageBox("The changed picture \"" + NormalizeGameName(file) +
                                        "\" could not be kept in your game folder (" + e.what() +
                                        "). The game goes on and draws it again when it is needed.",
                                    "Lanternfall");
        }
    }
}

}  // namespace lnf
