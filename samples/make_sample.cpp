// velokrom-make-sample DIR [WIDTH HEIGHT]: writes DIR/foreground.png and DIR/background.png.
#include <filesystem>
#include <iostream>
#include <string>

#include "arguments.h"
#include "cli_error.h"
#include "green_screen_sample.h"
#include "image_io/image_file.h"

int main(int argc, char** argv) {
    using namespace velokrom;
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: velokrom-make-sample DIR [WIDTH HEIGHT]\n";
        return 2;
    }
    try {
        const int32_t width = argc == 4 ? cli::parseInteger(argv[2], 1, 20000, "WIDTH") : 640;
        const int32_t height = argc == 4 ? cli::parseInteger(argv[3], 1, 20000, "HEIGHT") : 480;
        const std::filesystem::path dir(argv[1]);
        std::filesystem::create_directories(dir);
        const GreenScreenSample sample = makeGreenScreenSample(width, height);
        const ImageSize size{width, height};
        for (const auto& [name, image] : {std::pair{"foreground.png", &sample.foreground},
                                          std::pair{"background.png", &sample.background}}) {
            PendingImage file((dir / name).string(), size, 3, [&](int32_t y) { return image->at(y, 0); });
            file.commit();
            std::cout << (dir / name).string() << '\n';
        }
    } catch (const std::exception& error) {
        std::cerr << "velokrom-make-sample: " << error.what() << '\n';
        return 2;
    }
    return 0;
}
