package discovery;

// Tells which runtime the launcher chose: the version of the VM it runs in and the VM library
// the launcher published.
public final class PrintRuntime {
  public static void main(String[] args) {
    System.out.println("java.version=" + System.getProperty("java.version"));
    System.out.println("ZL_JVM_PATH=" + System.getenv("ZL_JVM_PATH"));
  }
}
