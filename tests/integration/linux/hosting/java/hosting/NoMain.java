package hosting;

// A class the launcher can load but cannot run: it has no static main(String[]).
public final class NoMain {
  public static void notMain(String[] args) {}
}
