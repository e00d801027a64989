#include "tests/samba/MofText.h"

#include <strings.h>

#include <cctype>
#include <stdexcept>

namespace mof {
namespace {

struct Token {
    enum Kind { Word, String, Symbol, End } kind = End;
    std::string text;
    int line = 0;
};

bool same(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// Cuts MOF text into words (identifiers and numbers), string literals
// (unescaped) and one-character symbols, dropping blanks and comments.
class Lexer {
public:
    explicit Lexer(const std::string& text) : text_(text) {}

    std::vector<Token> tokens()
    {
        std::vector<Token> out;
        for (skipBlanks(); pos_ < text_.size(); skipBlanks())
            out.push_back(next());
        out.push_back({Token::End, "", line_});
        return out;
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size()) {
            if (text_.compare(pos_, 2, "//") == 0) {
                pos_ = text_.find('\n', pos_);
                pos_ = pos_ == std::string::npos ? text_.size() : pos_;
            } else if (text_.compare(pos_, 2, "/*") == 0) {
                const size_t end = text_.find("*/", pos_ + 2);
                if (end == std::string::npos)
                    throw std::runtime_error("unterminated comment at line " + std::to_string(line_));
                countLines(pos_, end + 2);
                pos_ = end + 2;
            } else if (std::isspace(static_cast<unsigned char>(text_[pos_]))) {
                line_ += text_[pos_++] == '\n' ? 1 : 0;
            } else {
                return;
            }
        }
    }

    void countLines(size_t from, size_t to)
    {
        for (size_t i = from; i < to; ++i)
            line_ += text_[i] == '\n' ? 1 : 0;
    }

    Token next()
    {
        const char c = text_[pos_];
        if (c == '"')
            return {Token::String, stringLiteral(), line_};
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.') {
            const size_t start = pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                           std::string("_$-.").find(text_[pos_]) != std::string::npos))
                ++pos_;
            return {Token::Word, text_.substr(start, pos_ - start), line_};
        }
        if (std::string("{}[]();,:=").find(c) == std::string::npos)
            throw std::runtime_error("unexpected '" + std::string(1, c) + "' at line " + std::to_string(line_));
        ++pos_;
        return {Token::Symbol, std::string(1, c), line_};
    }

    std::string stringLiteral()
    {
        std::string value;
        for (++pos_; pos_ < text_.size() && text_[pos_] != '"'; ++pos_) {
            if (text_[pos_] == '\n')
                break;
            if (text_[pos_] != '\\') {
                value += text_[pos_];
                continue;
            }
            const char escaped = ++pos_ < text_.size() ? text_[pos_] : '\0';
            value += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        }
        if (pos_ >= text_.size() || text_[pos_] != '"')
            throw std::runtime_error("unterminated string at line " + std::to_string(line_));
        ++pos_;
        return value;
    }

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
};

// A recursive-descent reader over the tokens, one function per production.
class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    File file()
    {
        File result;
        while (peek().kind != Token::End) {
            if (isWord("Qualifier"))
                result.qualifiers.push_back(qualifierDeclaration());
            else if (isWord("instance"))
                result.instances.push_back(instance());
            else
                result.classes.push_back(classDeclaration());
        }
        return result;
    }

private:
    const Token& peek() const { return tokens_[pos_]; }
    bool isWord(const char* word) const { return peek().kind == Token::Word && same(peek().text, word); }
    bool isSymbol(const char* symbol) const { return peek().kind == Token::Symbol && peek().text == symbol; }

    [[noreturn]] void fail(const std::string& expected) const
    {
        throw std::runtime_error("expected " + expected + " at line " + std::to_string(peek().line) +
                                 ", found '" + peek().text + "'");
    }

    std::string word()
    {
        if (peek().kind != Token::Word)
            fail("a name");
        return tokens_[pos_++].text;
    }

    void expect(const char* symbol)
    {
        if (!isSymbol(symbol))
            fail(std::string("'") + symbol + "'");
        ++pos_;
    }

    void expectWord(const char* keyword)
    {
        if (!isWord(keyword))
            fail(keyword);
        ++pos_;
    }

    bool accept(const char* symbol)
    {
        if (!isSymbol(symbol))
            return false;
        ++pos_;
        return true;
    }

    // A scalar: concatenated string literals, or a number, true, false, NULL.
    std::string scalar()
    {
        if (peek().kind == Token::Word)
            return word();
        if (peek().kind != Token::String)
            fail("a value");
        std::string value;
        while (peek().kind == Token::String)
            value += tokens_[pos_++].text;
        return value;
    }

    // A scalar, or "{ a, b }"; NULL gives no value at all.
    std::vector<std::string> values()
    {
        if (accept("{")) {
            std::vector<std::string> list;
            for (bool more = !isSymbol("}"); more; more = accept(","))
                list.push_back(scalar());
            expect("}");
            return list;
        }
        if (isWord("NULL")) {
            ++pos_;
            return {};
        }
        return {scalar()};
    }

    std::vector<std::string> nameList()
    {
        std::vector<std::string> names;
        expect("(");
        for (bool more = true; more; more = accept(","))
            names.push_back(word());
        expect(")");
        return names;
    }

    QualifierDeclaration qualifierDeclaration()
    {
        expectWord("Qualifier");
        QualifierDeclaration declaration;
        declaration.name = word();
        expect(":");
        declaration.type = word();
        if (accept("[")) {
            expect("]");
            declaration.type += "[]";
        }
        if (accept("="))
            values();
        expect(",");
        expectWord("Scope");
        nameList();
        if (accept(",")) {
            expectWord("Flavor");
            nameList();
        }
        expect(";");
        return declaration;
    }

    std::vector<Qualifier> qualifierList()
    {
        std::vector<Qualifier> list;
        if (!accept("["))
            return list;
        for (bool more = true; more; more = accept(",")) {
            Qualifier qualifier{word(), {}};
            if (accept("(")) {
                qualifier.values = values();
                expect(")");
            } else if (isSymbol("{")) {
                qualifier.values = values();
            }
            list.push_back(qualifier);
        }
        expect("]");
        return list;
    }

    Property property()
    {
        Property result;
        result.qualifiers = qualifierList();
        result.type = word();
        result.name = word();
        if (accept("[")) {
            expect("]");
            result.isArray = true;
        }
        if (accept("="))
            values();
        expect(";");
        return result;
    }

    Class classDeclaration()
    {
        Class result;
        result.qualifiers = qualifierList();
        expectWord("class");
        result.name = word();
        if (accept(":"))
            result.superclass = word();
        expect("{");
        while (!accept("}"))
            result.properties.push_back(property());
        expect(";");
        return result;
    }

    Instance instance()
    {
        Instance result;
        expectWord("instance");
        expectWord("of");
        result.className = word();
        expect("{");
        while (!accept("}")) {
            std::string name = word();
            expect("=");
            result.values.emplace_back(std::move(name), values());
            expect(";");
        }
        expect(";");
        return result;
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

template <typename T>
const T* findNamed(const std::vector<T>& items, const std::string& name)
{
    for (const T& item : items) {
        if (same(item.name, name))
            return &item;
    }
    return nullptr;
}

}  // namespace

const Qualifier* Property::qualifier(const std::string& name) const { return findNamed(qualifiers, name); }

const Property* Class::property(const std::string& name) const { return findNamed(properties, name); }

const std::vector<std::string>* Instance::value(const std::string& name) const
{
    for (const auto& [property, list] : values) {
        if (same(property, name))
            return &list;
    }
    return nullptr;
}

File parse(const std::string& text)
{
    return Parser(Lexer(text).tokens()).file();
}

}  // namespace mof
