#include "app/headless/ScriptRunner.h"

#include "app/Startup.h"
#include "platform/base/Exceptions.h"
#include "platform/base/FileUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/headless/KeySpec.h"
#include "platform/shell/Mapi.h"

#include <climits>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A script line that cannot be run.
struct TScriptError {
    AnsiString Message;
};

AnsiString Escaped(const AnsiString& Text) {
    AnsiString out;
    for (char c : Text)
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    return out;
}

// The words of a line; double quotes group a word with blanks.
std::vector<AnsiString> Words(const AnsiString& Line) {
    std::vector<AnsiString> words;
    std::size_t i = 0;
    while (i < Line.size()) {
        while (i < Line.size() && (Line[i] == ' ' || Line[i] == '\t'))
            ++i;
        if (i >= Line.size())
            break;
        AnsiString word;
        if (Line[i] == '"') {
            std::size_t end = Line.find('"', i + 1);
            if (end == AnsiString::npos)
                throw TScriptError{"unterminated quote"};
            word = Line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < Line.size() && Line[i] != ' ' && Line[i] != '\t')
                word += Line[i++];
        }
        words.push_back(word);
    }
    return words;
}

int Number(const AnsiString& Word) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(Word, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != Word.size())
        throw TScriptError{"not a number: " + Word};
    return value;
}

AnsiString Absolute(const AnsiString& Path) {
    if (!Path.empty() && Path[0] == '/')
        return Path;
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) == nullptr)
        return Path;
    return AnsiString(cwd) + "/" + Path;
}

AnsiString Joined(const std::vector<AnsiString>& Items) {
    AnsiString out;
    for (const AnsiString& item : Items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

class TRunner {
public:
    TRunner(std::istream& Script, std::ostream& Out, std::ostream& Err)
        : FScript(Script), FOut(Out), FErr(Err) {}

    int Run() {
        FHost.SetLogHandler([this](const THeadlessLogEntry& Entry) { Print(Entry); });
        FHost.SetRunHandler([this] { RunLines(); });
        SetMailTransport([this](const TMailRequest& Request) { return Mail(Request); });
        RunPicolam();
        SetMailTransport(nullptr);
        return FResult;
    }

private:
    void Print(const THeadlessLogEntry& Entry) {
        switch (Entry.Kind) {
        case THeadlessLogEntry::MessageBox:
            FOut << "box " << Escaped(Entry.Caption) << " | " << Escaped(Entry.Text) << " | "
                 << Joined(Entry.Buttons) << " -> " << Entry.Answer << "\n";
            break;
        case THeadlessLogEntry::SaveDialog:
            FOut << "save-dialog -> " << Entry.Answer << "\n";
            break;
        case THeadlessLogEntry::Url:
            FOut << "url " << Entry.Text << "\n";
            break;
        case THeadlessLogEntry::Beep:
            FOut << "beep\n";
            break;
        case THeadlessLogEntry::Menu:
            break;
        }
        FOut.flush();
    }

    ULONG Mail(const TMailRequest& Request) {
        const ULONG result = FNextMailResult.value_or(MAPI_USER_ABORT);
        FNextMailResult.reset();
        for (const TMailAttachment& attachment : Request.Attachments) {
            struct stat st {};
            long long bytes = stat(attachment.Path.c_str(), &st) == 0 ? st.st_size : -1;
            FOut << "mail " << Escaped(Request.Subject) << " | " << attachment.Name << " | "
                 << bytes << " -> " << result << "\n";
        }
        FOut.flush();
        return result;
    }

    THeadlessWindow& Window() {
        THeadlessWindow* window = FHost.MainWindow();
        if (window == nullptr)
            throw TScriptError{"the board is not open"};
        return *window;
    }

    void RunLines() {
        AnsiString line;
        int number = 0;
        while (!FHost.QuitRequested() && std::getline(FScript, line)) {
            ++number;
            if (auto hash = line.find('#'); hash != AnsiString::npos)
                line.erase(hash);
            try {
                std::vector<AnsiString> words = Words(line);
                if (words.empty())
                    continue;
                if (!Command(words))
                    break;
            } catch (const TScriptError& E) {
                FErr << "line " << number << ": " << E.Message << "\n";
                FResult = 2;
                break;
            }
            FHost.ProcessMessages();
        }
        if (FHost.MainWindow() != nullptr)
            FHost.RequestClose(*FHost.MainWindow());
        FHost.ProcessMessages();
    }

    static void Arguments(const std::vector<AnsiString>& Words, std::size_t Count) {
        if (Words.size() != Count + 1)
            throw TScriptError{Words[0] + " takes " + std::to_string(Count) + " argument(s)"};
    }

    // Runs one command; false for quit.
    bool Command(const std::vector<AnsiString>& W) {
        const AnsiString& name = W[0];
        if (name == "move" || name == "click" || name == "dblclick" || name == "rclick") {
            Arguments(W, 2);
            int x = Number(W[1]), y = Number(W[2]);
            if (name == "move")
                FHost.MouseMove(Window(), x, y);
            else if (name == "click")
                FHost.Click(Window(), x, y);
            else if (name == "dblclick")
                FHost.DoubleClick(Window(), x, y);
            else
                FHost.Click(Window(), x, y, mbRight);
        } else if (name == "drop") {
            if (W.size() < 2)
                throw TScriptError{"drop takes one path or more"};
            std::vector<AnsiString> paths;
            for (std::size_t i = 1; i < W.size(); ++i)
                paths.push_back(Absolute(W[i]));
            FHost.DropFiles(Window(), paths);
        } else if (name == "key") {
            Arguments(W, 1);
            std::optional<THostKeyEvent> key = ParseKeySpec(W[1]);
            if (!key)
                throw TScriptError{"unknown key: " + W[1]};
            FHost.Key(Window(), *key);
        } else if (name == "choose") {
            Arguments(W, 1);
            FHost.QueueMenuChoice(W[1]);
        } else if (name == "save-answer") {
            Arguments(W, 1);
            if (W[1] == "cancel")
                FHost.QueueSaveCancel();
            else
                FHost.QueueSaveAnswer(Absolute(W[1]));
        } else if (name == "box-answer") {
            Arguments(W, 1);
            if (W[1] == "yes")
                FHost.QueueBoxResult(6);
            else if (W[1] == "no")
                FHost.QueueBoxResult(7);
            else if (W[1] == "ok")
                FHost.QueueBoxResult(1);
            else
                throw TScriptError{"box-answer takes yes, no or ok"};
        } else if (name == "mail-result") {
            Arguments(W, 1);
            FNextMailResult = static_cast<ULONG>(Number(W[1]));
        } else if (name == "wait") {
            Arguments(W, 1);
            int ms = Number(W[1]);
            if (ms < 0)
                throw TScriptError{"wait takes a time of 0 or more"};
            FHost.Advance(static_cast<std::uint64_t>(ms));
        } else if (name == "snapshot") {
            Arguments(W, 1);
            TBitmap shot;
            shot.Assign(const_cast<TBitmap*>(&Window().Screen()));
            shot.SetPixelFormat(pf24bit);
            try {
                shot.SaveToFile(Absolute(W[1]));
            } catch (const Exception& E) {
                throw TScriptError{E.Message()};
            }
        } else if (name == "quit") {
            Arguments(W, 0);
            return false;
        } else {
            throw TScriptError{"unknown command: " + name};
        }
        return true;
    }

    std::istream& FScript;
    std::ostream& FOut;
    std::ostream& FErr;
    THeadlessHost FHost;
    std::optional<ULONG> FNextMailResult;
    int FResult = 0;
};

} // namespace

int RunScript(std::istream& Script, std::ostream& Out, std::ostream& Err) {
    return TRunner(Script, Out, Err).Run();
}
