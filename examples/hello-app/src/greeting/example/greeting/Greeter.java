package example.greeting;

/**
 * Lives in its own jar (greeting.jar) so that the example shows the launcher putting every jar of
 * the lib folder on the class path through one wildcard entry.
 */
public final class Greeter {
  private Greeter() {}

  /** The greeting line, naming the jar this class came from. */
  public static String greet(String who) {
    String origin = "unknown location";
    java.security.CodeSource source = Greeter.class.getProtectionDomain().getCodeSource();
    if (source != null && source.getLocation() != null) {
      String path = source.getLocation().getPath();
      origin = path.substring(path.lastIndexOf('/') + 1);
    }
    return "Hello, " + who + " (greeting loaded from " + origin + ")";
  }
}
