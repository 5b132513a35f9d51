// The fixture cache: a file is made once per recipe, and a changed recipe makes a new file
// instead of finding the one an older recipe made under the same name.
#include "MediaFixtures.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace media::test;

class FixtureCache : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const auto& made : m_made)
            fs::remove(made);
        fs::remove(m_runs);
    }

    // A recipe writing `text` into the fixture and counting its runs.
    std::vector<std::string> recipe(const std::string& text) const {
        return {"sh", "-c", "echo run >> '" + m_runs.string() + "'; printf '%s' '" + text + "' > \"$0\"",
                "{out}"};
    }
    std::string make(const std::string& text) {
        auto path = make_fixture(m_name, recipe(text));
        if (!path.empty())
            m_made.push_back(path);
        return path;
    }
    int runs() const {
        std::ifstream in(m_runs);
        int count = 0;
        for (std::string line; std::getline(in, line);)
            ++count;
        return count;
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const std::string m_name = "cache-test-" + std::to_string(::getpid()) + ".txt";
    const fs::path m_runs = fs::path(fixture_folder()) / ("cache-test-runs-" + std::to_string(::getpid()));
    std::vector<std::string> m_made;
};

TEST_F(FixtureCache, the_same_recipe_is_made_once_and_found_after) {
    auto first = make("one");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(make("one"), first);
    EXPECT_EQ(runs(), 1);
    EXPECT_EQ(contents(first), "one");
}

TEST_F(FixtureCache, a_changed_recipe_under_the_same_name_makes_a_new_file) {
    auto old_recipe = make("one");
    auto new_recipe = make("two");
    ASSERT_FALSE(old_recipe.empty());
    ASSERT_FALSE(new_recipe.empty());
    EXPECT_NE(new_recipe, old_recipe);
    EXPECT_EQ(runs(), 2);
    EXPECT_EQ(contents(new_recipe), "two");
    EXPECT_EQ(contents(old_recipe), "one");
    // The cached name keeps what the name said, the extension too.
    EXPECT_EQ(fs::path(new_recipe).extension(), ".txt");
}

TEST_F(FixtureCache, a_failing_tool_gives_no_path_and_leaves_no_file) {
    EXPECT_EQ(make_fixture(m_name, {"sh", "-c", "printf half > \"$0\"; exit 3", "{out}"}), "");
    const std::string stem = fs::path(m_name).stem().string();
    for (const auto& entry : fs::directory_iterator(fixture_folder()))
        EXPECT_EQ(entry.path().filename().string().find(stem), std::string::npos) << entry.path();
}

TEST(RecipeKey, tells_apart_recipes_that_join_to_the_same_text) {
    EXPECT_NE(recipe_key({"a b"}), recipe_key({"a", "b"}));
    EXPECT_NE(recipe_key({"ab", ""}), recipe_key({"a", "b"}));
    EXPECT_EQ(recipe_key({"a", "b"}), recipe_key({"a", "b"}));
    EXPECT_EQ(recipe_key({"a"}).size(), 16u);
}

} // namespace
