// Opening a document with 10,000 items in every group (small bitmaps) in
// the editor: the time until the view with its eight panels is painted,
// and the time of one panel switch, against `plexion-tool info` loading the
// same file in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "binary_file_item.h"
#include "bitmap_item.h"
#include "child_process.h"
#include "color_item.h"
#include "index_list_item.h"
#include "map_item.h"
#include "map_resize.h"
#include "plexion_doc.h"
#include "plexion_view.h"
#include "resource_container.h"
#include "text_item.h"
#include "trajectory_item.h"
#include "wav_memory.h"

namespace plexion {
namespace {

constexpr int kItemsPerGroup = 10'000;
constexpr int kViewWidth = 1280;
constexpr int kViewHeight = 800;

template <typename T>
T& Add(CVKT_ResourceContainer& document, const std::string& id) {
    return *document.GetAt<T>(document.New<T>(id));
}

void FillDocument(CVKT_ResourceContainer& document) {
    for (int i = 0; i < kItemsPerGroup; ++i) {
        const std::string n = std::to_string(i);
        Add<CVKT_Text>(document, "text_" + n).SetText("value of text " + n);

        QImage picture(8, 8, QImage::Format_ARGB32_Premultiplied);
        picture.fill(QColor::fromHsv(i % 360, 200, 220));
        auto& bitmap = Add<CVKT_Bitmap>(document, "bitmap_" + n);
        bitmap.TakeImage(picture);
        bitmap.ReencodeAsPng();

        Add<CVKT_WavMemory>(document, "sound_" + n)
            .SetPcm(8, 1, 11025, 64, std::vector<std::uint8_t>(64, static_cast<std::uint8_t>(i)));

        auto& animation = Add<CVKT_IndexList>(document, "animation_" + n);
        for (int frame = 0; frame < 4; ++frame) {
            animation.AddFrame({(i + frame) % kItemsPerGroup, 6, frame, 0});
        }

        auto& trajectory = Add<CVKT_Trajectory>(document, "trajectory_" + n);
        for (int point = 0; point < 10; ++point) {
            trajectory.AddPoint(point * 10.0, (point * 7 + i) % 50);
        }

        auto& map = Add<CVKT_Map>(document, "map_" + n);
        map_size::SetDimensions(map, 4, 4);

        Add<CVKT_Color>(document, "color_" + n).SetColor(0x00102030u + static_cast<unsigned>(i));

        auto& file = Add<CVKT_BinaryFile>(document, "file_" + n);
        file.Data().SetSize(32);
        std::fill_n(file.Data().Data(), 32, static_cast<std::uint8_t>(i));
    }
}

const std::string& DocumentPath() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / "plexion_editor_bench";
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "ten_thousand.dat").string();
        CVKT_ResourceContainer document;
        FillDocument(document);
        if (!document.Save(file)) {
            throw std::runtime_error("cannot write the benchmark document");
        }
        return file;
    }();
    return path;
}

std::string ToolPath() {
    return (std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
            "plexion-tool")
        .string();
}

void BM_ToolInfo(benchmark::State& state) {
    const std::string& file = DocumentPath();
    const std::string tool = ToolPath();
    for (auto _ : state) {
        if (test::RunChildProcess({tool, "info", file}) != 0) {
            state.SkipWithError("plexion-tool info failed");
            return;
        }
    }
}
BENCHMARK(BM_ToolInfo)->Unit(benchmark::kMillisecond)->UseRealTime();

// The document alone, as the editor opens it: how much of the editor's time
// goes to reading and decoding rather than to the panels.
void BM_OpenDocument(benchmark::State& state) {
    const QString file = QString::fromStdString(DocumentPath());
    for (auto _ : state) {
        CPlexionDoc document;
        if (!document.OnOpenDocument(file)) {
            state.SkipWithError("the document did not open");
            return;
        }
    }
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// A new document and view each time, until the Bitmaps panel is painted.
void BM_OpenAndPaint(benchmark::State& state) {
    const QString file = QString::fromStdString(DocumentPath());
    for (auto _ : state) {
        CPlexionDoc document;
        if (!document.OnOpenDocument(file)) {
            state.SkipWithError("the document did not open");
            return;
        }
        CPlexionView view(&document);
        view.resize(kViewWidth, kViewHeight);
        view.show();
        view.OnInitialUpdate();
        view.repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        view.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// Showing the next panel and painting it, round all eight.
void BM_PanelSwitch(benchmark::State& state) {
    CPlexionDoc document;
    if (!document.OnOpenDocument(QString::fromStdString(DocumentPath()))) {
        state.SkipWithError("the document did not open");
        return;
    }
    CPlexionView view(&document);
    view.resize(kViewWidth, kViewHeight);
    view.show();
    view.OnInitialUpdate();
    QCoreApplication::processEvents();
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % 8;
        view.ShowPanel(next, false);
        view.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PanelSwitch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(64);

}  // namespace
}  // namespace plexion
