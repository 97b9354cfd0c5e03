#include "zev_cli.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

ZevRun RunZev(const std::vector<std::string>& args, const std::string& input) {
    const std::string inPath = testfiles::Path("stdin.run");
    const std::string outPath = testfiles::Path("stdout.run");
    const std::string errPath = testfiles::Path("stderr.run");
    WriteText(inPath, input);
    std::vector<char*> argv;
    std::string program = ZEV_EXE;
    argv.push_back(&program[0]);
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(&arg[0]);
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ZevRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadText(outPath),
               ReadText(errPath)};
    return run;
}

static std::string Iconv(const char* to, const char* from, const std::string& text) {
    iconv_t cd = iconv_open(to, from);
    std::string out(text.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = &out[0];
    size_t outLeft = out.size();
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(static_cast<size_t>(-1), result) << "iconv " << from << " to " << to;
    out.resize(static_cast<size_t>(outPtr - out.data()));
    return out;
}

std::string ToCp932(const std::string& utf8) { return Iconv("CP932", "UTF-8", utf8); }
std::string ToUtf8(const std::string& cp932) { return Iconv("UTF-8", "CP932", cp932); }

std::string SampleDictionary() { return ZEV_SAMPLE_DICTIONARY; }
std::string SamplePath(const std::string& leaf) {
    return std::string(ZEV_SAMPLES_DIR) + "/" + leaf;
}
