// Replace all in the Texts and Parameters panel of a document of 100,000
// texts, against a plain loop of the same string replacements over the same
// strings the panel searches (each text and its ID), in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "find_options.h"
#include "plexion_doc.h"
#include "resource_grid.h"
#include "stored_text.h"
#include "text_item.h"
#include "texts_panel.h"

namespace plexion {
namespace {

constexpr int kTexts = 100'000;
constexpr int kWidth = 1280;
constexpr int kHeight = 800;

QString TextOf(int i) {
    return QStringLiteral("the value of level %1 is gamma").arg(i);
}

std::string IdOf(int i) {
    return "text_" + std::to_string(i);
}

CFindOptions ReplaceOptions(const QString& text, const QString& replacement) {
    CFindOptions options;
    options.text = text;
    options.replace = true;
    options.replacement = replacement;
    options.askBeforeReplace = false;
    return options;
}

void BM_PlainReplaceLoop(benchmark::State& state) {
    std::vector<QString> texts;
    for (int i = 0; i < kTexts; ++i) {
        texts.push_back(QString::fromStdString(IdOf(i)));
        texts.push_back(TextOf(i));
    }
    bool forth = true;
    for (auto _ : state) {
        const QString from = forth ? QStringLiteral("gamma") : QStringLiteral("delta");
        const QString to = forth ? QStringLiteral("delta") : QStringLiteral("gamma");
        for (QString& text : texts) {
            text.replace(from, to, Qt::CaseInsensitive);
        }
        benchmark::DoNotOptimize(texts.data());
        forth = !forth;
    }
}
BENCHMARK(BM_PlainReplaceLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

// The panel's whole replace: every cell searched, the texts stored through
// the document's editing path, the grid brought up to date.
void BM_ReplaceAllInPanel(benchmark::State& state) {
    CPlexionDoc document;
    document.OnNewDocument();
    document.Edit(QStringLiteral("Fill"), [](CVKT_ResourceContainer& resources) {
        for (int i = 0; i < kTexts; ++i) {
            resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>(IdOf(i)))
                ->SetText(ToStored(TextOf(i)));
        }
        return true;
    });
    QWidget window;
    window.resize(kWidth, kHeight);
    auto* panel = new CTextsPanel;
    panel->SetDocument(&document, nullptr);
    panel->SetResourceContainer(&document.Resources());
    panel->CreatePanel(&window, QRect(0, 0, kWidth, kHeight));
    window.show();
    QCoreApplication::processEvents();
    bool forth = true;
    for (auto _ : state) {
        const CFindOptions options =
            forth ? ReplaceOptions("gamma", "delta") : ReplaceOptions("delta", "gamma");
        panel->Search(options);
        QCoreApplication::processEvents();
        forth = !forth;
    }
}
BENCHMARK(BM_ReplaceAllInPanel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace plexion
