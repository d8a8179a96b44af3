// A small JSON reader for the tests: enough for what tolvenar-headless prints.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;

    const Json& operator[](const std::string& key) const {
        auto it = object.find(key);
        if (it == object.end()) throw std::runtime_error("no key " + key);
        return it->second;
    }
    const Json& operator[](size_t i) const { return array.at(i); }
    bool Has(const std::string& key) const { return object.count(key) != 0; }
    size_t Size() const { return type == Type::Array ? array.size() : object.size(); }
    int Int() const { return static_cast<int>(number); }
    double Num() const { return number; }
    bool Bool() const { return boolean; }
    const std::string& Str() const { return string; }
};

class JsonReader {
public:
    static Json Parse(const std::string& text) {
        JsonReader r(text);
        Json v = r.Value();
        r.Blank();
        if (r.pos_ != text.size()) throw std::runtime_error("trailing text in JSON: " + text);
        return v;
    }

private:
    explicit JsonReader(const std::string& t) : t_(t) {}

    void Blank() {
        while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\n' || t_[pos_] == '\t' || t_[pos_] == '\r')) pos_++;
    }
    char Peek() {
        Blank();
        if (pos_ >= t_.size()) throw std::runtime_error("JSON ends early");
        return t_[pos_];
    }
    void Expect(char c) {
        if (Peek() != c) throw std::runtime_error(std::string("JSON: expected ") + c + " at " + std::to_string(pos_));
        pos_++;
    }
    bool Word(const char* w) {
        const std::string s(w);
        if (t_.compare(pos_, s.size(), s) == 0) {
            pos_ += s.size();
            return true;
        }
        return false;
    }
    std::string String() {
        Expect('"');
        std::string out;
        while (pos_ < t_.size() && t_[pos_] != '"') {
            char c = t_[pos_++];
            if (c == '\\') {
                char e = t_[pos_++];
                if (e == 'u') {
                    out += static_cast<char>(std::stoi(t_.substr(pos_, 4), nullptr, 16));
                    pos_ += 4;
                } else {
                    out += e == 'n' ? '\n' : e;
                }
            } else {
                out += c;
            }
        }
        Expect('"');
        return out;
    }
    Json Value() {
        Json v;
        const char c = Peek();
        if (c == '{') {
            v.type = Json::Type::Object;
            pos_++;
            if (Peek() == '}') {
                pos_++;
                return v;
            }
            for (;;) {
                std::string key = String();
                Expect(':');
                v.object[key] = Value();
                if (Peek() == ',') {
                    pos_++;
                    continue;
                }
                Expect('}');
                return v;
            }
        }
        if (c == '[') {
            v.type = Json::Type::Array;
            pos_++;
            if (Peek() == ']') {
                pos_++;
                return v;
            }
            for (;;) {
                v.array.push_back(Value());
                if (Peek() == ',') {
                    pos_++;
                    continue;
                }
                Expect(']');
                return v;
            }
        }
        if (c == '"') {
            v.type = Json::Type::String;
            v.string = String();
            return v;
        }
        if (Word("true")) {
            v.type = Json::Type::Bool;
            v.boolean = true;
            return v;
        }
        if (Word("false")) {
            v.type = Json::Type::Bool;
            return v;
        }
        if (Word("null")) return v;
        size_t used = 0;
        v.type = Json::Type::Number;
        v.number = std::stod(t_.substr(pos_), &used);
        pos_ += used;
        return v;
    }

    const std::string& t_;
    size_t pos_ = 0;
};
