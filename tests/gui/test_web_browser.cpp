#include "ProgramState.h"
#include "TestSupport.h"
#include "app/Help.h"
#include "app/Startup.h"
#include "common/LanguageTexts.h"
#include "common/SettingsFile.h"
#include "tools/WebBrowserSettingsDialog.h"
#include "tools/WebBrowserWindow.h"
#include "tools/webengine/WebPageView.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

class FakePageView : public WebPageView {
public:
    using WebPageView::WebPageView;
    void navigate(const QUrl& address) override { addresses.push_back(address); }
    void finish(bool ok) { report_load_finished(ok); }

    std::vector<QUrl> addresses;
};

class FakePageViewFactory : public WebPageViewFactory {
public:
    QString unavailable_reason() const override { return reason; }
    WebPageView* create_page_view(QWidget* parent) override {
        ++created;
        return new FakePageView(parent);
    }

    QString reason;
    int created = 0;
};

FakePageView* view_of(TWebBrowserForm* window) {
    return static_cast<FakePageView*>(window->web_browser());
}

// The browser windows that still exist, once pending deletions have run.
std::vector<TWebBrowserForm*> browser_windows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<TWebBrowserForm*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<TWebBrowserForm*>(widget))
            windows.push_back(window);
    }
    return windows;
}

// The browser reads and writes the program's settings file and language
// texts; they are put back afterwards.
class WebBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        settings_file().path = folder_.file("Pemmaro.ini");
        settings_file().on_cd_rom = false;
        textfile() = Ttextfile_handler("$[BROWSER_SETTINGS_DIALOG]\r\n* caption, boxes\r\n"
                                       "Browser Choice\r\nOwn window\r\nOne window\r\n");
        initialise_web_browser();
        set_web_page_view_factory(&factory_);
        set_desktop_handler([this](const std::string& address) { desktop_.push_back(address); });
    }

    void TearDown() override {
        finalise_web_browser();
        set_web_page_view_factory(nullptr);
        set_web_browser_plugin_candidates({});
        set_desktop_handler(nullptr);
    }

    void settings(bool integrated, bool only_one) {
        use_integrated_web_browser() = integrated;
        use_only_one_web_browser_window() = only_one;
    }

    ScopedProgramState program_state_;
    TempDir folder_;
    FakePageViewFactory factory_;
    std::vector<std::string> desktop_;
};

} // namespace

TEST_F(WebBrowser, ReusedWindowShowsTheLastOfThreeAddresses) {
    for (const char* address : {"https://a.example/", "https://b.example/", "https://c.example/"})
        open_url(address);

    ASSERT_EQ(browser_windows().size(), 1u);
    TWebBrowserForm* window = shared_browser_window();
    ASSERT_EQ(browser_windows().front(), window);
    EXPECT_EQ(factory_.created, 1);
    EXPECT_TRUE(window->isVisible() && !window->isMaximized());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->url(), "https://c.example/");
    EXPECT_EQ(window->windowTitle(), "URL: https://c.example/");
    EXPECT_EQ(view_of(window)->addresses.back(), QUrl("https://c.example/"));
    EXPECT_TRUE(desktop_.empty());

    std::vector<bool> finished;
    QObject::connect(window, &TWebBrowserForm::load_finished,
                     [&finished](bool ok) { finished.push_back(ok); });
    view_of(window)->finish(false);
    EXPECT_EQ(finished, std::vector<bool>{false});
}

TEST_F(WebBrowser, WithoutReuseEachAddressHasItsWindowAndOnlyTheFirstOutlivesClosing) {
    settings(true, false);
    for (const char* address : {"https://a.example/", "https://b.example/", "https://c.example/"})
        open_url(address);
    ASSERT_EQ(browser_windows().size(), 3u);
    QPointer<TWebBrowserForm> first = shared_browser_window();
    QPointer<TWebBrowserForm> last;
    for (TWebBrowserForm* window : browser_windows())
        last = window->url() == "https://c.example/" ? window : last.data();
    ASSERT_EQ(first->url(), "https://a.example/");
    ASSERT_TRUE(last);

    last->close();
    EXPECT_EQ(browser_windows().size(), 2u);
    EXPECT_TRUE(last.isNull());
    first->close();
    ASSERT_FALSE(first.isNull());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(first->url(), "https://a.example/");

    // Reuse switched on later brings back the hidden first window.
    settings(true, true);
    open_url("https://d.example/");
    EXPECT_EQ(shared_browser_window(), first.data());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(factory_.created, 3);
}

TEST_F(WebBrowser, TheDesktopOpensAddressesWhenTheIntegratedBrowserIsOffOrUnusable) {
    settings(false, false);
    open_url("https://a.example/");
    EXPECT_EQ(factory_.created, 0);

    settings(true, true);
    factory_.reason = "no helper program";
    open_url("https://b.example/");
    EXPECT_EQ(web_browser_unavailable_reason(), "no helper program");

    // A file that is no plugin, then none at all.
    set_web_page_view_factory(nullptr);
    const std::string bogus = folder_.file("libpemmaro_webengine.so");
    write_file(bogus, "not a library");
    set_web_browser_plugin_candidates({folder_.file("missing.so"), bogus});
    open_url("https://c.example/");
    EXPECT_NE(web_browser_unavailable_reason().find(bogus), std::string::npos);
    set_web_browser_plugin_candidates({folder_.file("missing.so")});
    open_url("https://d.example/");
    EXPECT_NE(web_browser_unavailable_reason().find("not found"), std::string::npos);

    EXPECT_EQ(desktop_, (std::vector<std::string>{"https://a.example/", "https://b.example/",
                                                  "https://c.example/", "https://d.example/"}));
    EXPECT_TRUE(browser_windows().empty());
    EXPECT_EQ(shared_browser_window(), nullptr);
}

TEST_F(WebBrowser, PageFilesAreFoundWithoutRegardToCaseAndKeepTheirAnchor) {
    const std::string actual = folder_.file("Localities/Reed Marsh.htm");
    write_file(actual, "<html></html>");
    QUrl anchored = QUrl::fromLocalFile(QString::fromStdString(actual));
    anchored.setFragment("birds");

    open_url(folder_.file("LOCALITIES/reed marsh.HTM#birds"));
    TWebBrowserForm* window = shared_browser_window();
    EXPECT_EQ(view_of(window)->addresses.back(), anchored);
    EXPECT_EQ(window->windowTitle().toStdString(),
              "URL: " + folder_.file("LOCALITIES/reed marsh.HTM#birds"));
    show_url(*window, "");
    EXPECT_EQ(view_of(window)->addresses.size(), 1u);

    // Data texts are Windows-1252, file names UTF-8: both read right in the caption.
    open_url("https://example.org/caf\xE9");
    EXPECT_EQ(window->windowTitle().toStdString(), "URL: https://example.org/caf\xC3\xA9");
    open_url("https://example.org/caf\xC3\xA9");
    EXPECT_EQ(window->windowTitle().toStdString(), "URL: https://example.org/caf\xC3\xA9");

    // The desktop would take "page.htm#birds" for a file name: it gets a file address.
    settings(false, true);
    open_url(actual + "#birds");
    ASSERT_EQ(desktop_.size(), 1u);
    EXPECT_EQ(QUrl(QString::fromStdString(desktop_.front())), anchored);
}

TEST_F(WebBrowser, HelpOpensAtItsContexts) {
    const std::string help = folder_.file("Pemmaro.html");
    write_file(help, "<html></html>");
    startup_values().help_file_path = help;
    show_help_contents();
    EXPECT_EQ(shared_browser_window()->url(), help);
    show_help_context(help_context_audio_cds);
    EXPECT_EQ(shared_browser_window()->url(), help + "#audio-cds");
    EXPECT_EQ(view_of(shared_browser_window())->addresses.back().fragment(), "audio-cds");
    startup_values().help_file_path.clear();
}

TEST(HelpDocument, LiesBesideTheProgramWithEveryContextAndNoBrokenLink) {
    QFile file(QCoreApplication::applicationDirPath() + "/Pemmaro.html");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString html = QString::fromUtf8(file.readAll());

    std::set<QString> ids;
    for (const auto& match : QRegularExpression(R"re(\bid="([^"]+)")re").globalMatch(html))
        EXPECT_TRUE(ids.insert(match.captured(1)).second) << match.captured(1).toStdString();
    for (const char* context : {"contents", "play-lists", "audio-cds"})
        EXPECT_TRUE(ids.count(context)) << context;
    int links = 0;
    for (const auto& match : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(html)) {
        ++links;
        EXPECT_TRUE(ids.count(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GT(links, 10);
}

class WebBrowserSettings : public WebBrowser {
protected:
    void SetUp() override {
        WebBrowser::SetUp();
        write_file(folder_.file("Pemmaro.ini"), "; kept\r\n[GENERAL]\r\nText Size=15\r\n");
        dialog_ = std::make_unique<TWebBrowserSettingsDialog>();
        dialog_->show();
    }

    std::unique_ptr<TWebBrowserSettingsDialog> dialog_;
};

TEST_F(WebBrowserSettings, ShowsTheSettingsAndEnablesReuseOnlyWithTheIntegratedBrowser) {
    EXPECT_EQ(web_browser_settings_dialog(), dialog_.get());
    EXPECT_EQ(dialog_->windowTitle(), "Browser Choice");
    EXPECT_EQ(dialog_->CheckBox_use_integrated_browser->text(), "Own window");
    EXPECT_EQ(dialog_->CheckBox_use_only_one_window->text(), "One window");
    EXPECT_TRUE(dialog_->CheckBox_use_integrated_browser->isChecked());
    EXPECT_TRUE(dialog_->CheckBox_use_only_one_window->isEnabled());
    dialog_->hide();

    settings(false, true);
    dialog_->show();
    EXPECT_FALSE(dialog_->CheckBox_use_integrated_browser->isChecked());
    EXPECT_TRUE(dialog_->CheckBox_use_only_one_window->isChecked());
    EXPECT_FALSE(dialog_->CheckBox_use_only_one_window->isEnabled());
    dialog_->CheckBox_use_integrated_browser->click();
    EXPECT_TRUE(dialog_->CheckBox_use_only_one_window->isEnabled());
}

TEST_F(WebBrowserSettings, CancelChangesNothingNotEvenTheFile) {
    const std::string before = read_file(folder_.file("Pemmaro.ini"));
    dialog_->CheckBox_use_only_one_window->click();
    dialog_->CheckBox_use_integrated_browser->click();
    dialog_->CancelButton->click();

    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_TRUE(use_integrated_web_browser() && use_only_one_web_browser_window());
    EXPECT_EQ(read_file(folder_.file("Pemmaro.ini")), before);
}

TEST_F(WebBrowserSettings, OKTakesBothBoxesAndWritesThem) {
    dialog_->CheckBox_use_only_one_window->click();
    dialog_->CheckBox_use_integrated_browser->click();
    dialog_->OKButton->click();
    EXPECT_FALSE(use_integrated_web_browser() || use_only_one_web_browser_window());

    dialog_->show();
    dialog_->CheckBox_use_integrated_browser->click();
    dialog_->OKButton->click();
    use_integrated_web_browser() = false;
    initialise_web_browser();
    EXPECT_TRUE(use_integrated_web_browser());
    EXPECT_FALSE(use_only_one_web_browser_window());
    EXPECT_EQ(read_string("GENERAL", "Text Size", ""), "15");
}

// The real engine, from the plugin beside the test program.
TEST_F(WebBrowser, ThePluginShowsALocalPage) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
    set_web_page_view_factory(nullptr);
    const std::string page = folder_.file("page.html");
    write_file(page, "<html><head><title>Reed warbler</title></head><body>Song</body></html>");

    open_url(page);
    TWebBrowserForm* window = shared_browser_window();
    if (!window)
        GTEST_SKIP() << "the integrated browser cannot run here: "
                     << web_browser_unavailable_reason();

    std::optional<bool> loaded;
    QEventLoop loop;
    QObject::connect(window, &TWebBrowserForm::load_finished, &loop, [&](bool ok) {
        loaded = ok;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(loaded.has_value()) << "no page loaded within 60 s";
    EXPECT_TRUE(*loaded);
}
